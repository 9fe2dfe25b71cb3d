# desktops.sh TALVENOR DESKTOP: the balloon's frame 12 pixels from the work area's right and top,
# a second balloon's 8 pixels below it; as the row says, above a window raised later, on the next
# workspace, focus left alone, the move offered (n/a: no allowed actions published; xfwm4 and
# fluxbox offer one whatever the window asks). "recipe" starts it as the guide says: a root shell
# that becomes runuser.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0
home=$(mktemp -d) && chown nobody "$home" && chmod 700 "$home"
out=$(dirname "$TALVENOR")/artefacts && mkdir -p "$out"
set -- "$1" "$2" $(dbus-daemon --session --fork --print-address=1)
user=root
session="env HOME=$home NO_AT_BRIDGE=1 QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=$3"
printf 'focus_follows_mouse no\n' >"$home/i3"
# Fluxbox's style would start a background setter, whose error, a window of its own, takes the
# focus whenever it comes.
mkdir "$home/.fluxbox" && printf 'background: none\n' >"$home/.fluxbox/overlay"
while read -r name expected command; do [ "$name" = "$2" ] && break; done <<ROWS
openbox  yes/yes/yes/no   openbox --sm-disable
xfwm4    yes/yes/yes/yes  $session xfwm4 --compositor=off --sm-client-disable
metacity yes/yes/yes/no   $session metacity
mutter   yes/yes/yes/no   $session mutter --x11 --sm-disable
kwin     yes/yes/yes/no   $session kwin_x11
icewm    yes/yes/yes/n/a  $session icewm
fluxbox  yes/yes/yes/yes  $session fluxbox
i3       yes/yes/yes/n/a  i3 -c $home/i3
none     no/n/a/yes/n/a   none
recipe   yes/yes/yes/no   openbox --sm-disable
dark     yes/yes/yes/no   openbox --sm-disable
quiet    yes/yes/yes/no   openbox --sm-disable
sway     -                -
weston   -                -
ROWS
[ "$name" = "$2" ] || { echo "no desktop $2"; exit 1; }
# The desktop prefers a dark style (GNOME's setting, here in GLib's key file), or has event sounds
# off (GTK's own settings file).
case $2 in
  dark | quiet) export XDG_CONFIG_HOME=$(mktemp -d) ;;&  # the running user's own
  dark) export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=keyfile && mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
    printf "[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n" >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" ;;
  quiet) mkdir "$XDG_CONFIG_HOME/gtk-3.0" && printf '[Settings]\ngtk-enable-event-sounds=0\n' >"$XDG_CONFIG_HOME/gtk-3.0/settings.ini"
    start_pulse && export $run_env ;;
esac
install_agent "$VANTREL" && switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" "Firefox Thunderbird"
# Headless, and as nobody since sway refuses root: the balloon, an overlay outside the tree of
# windows, is the box of pixels that changed on the output.
if [ "$2" = sway ]; then
  export XDG_RUNTIME_DIR=$home && unset DISPLAY
  printf 'output HEADLESS-1 resolution 1280x800 bg #336699 solid_color\nxwayland disable\n' >"$home/sway"
  HOME=$home WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$home/sway" >/dev/null 2>&1 &
  for _ in $(seq 100); do WAYLAND_DISPLAY=$(cd "$home" && ls wayland-? 2>/dev/null) && break; sleep 0.1; done
  # The program, run as root, takes no runtime folder of nobody's: one of root's, the socket's path.
  export WAYLAND_DISPLAY=$home/$WAYLAND_DISPLAY SWAYSOCK=$(ls "$home"/sway-ipc.*) XDG_RUNTIME_DIR=$(mktemp -d)
  grim "$home/before.png"
  "$TALVENOR" Firefox & pid=$!
  for _ in $(seq 100); do grep -qF "Showing Notification" "$(user_log "$VANTREL")" && break; sleep 0.1; done
  sleep 1 && grim "$out/desktops-sway.png"
  swaymsg -t get_tree | grep -q "\"pid\": $pid," && fail "the balloon is a window of the tree"
  changed() { convert "$1" "$2" -compose difference -composite -format '%@' info: | tr 'x+' '  '; }
  read -r w h x y <<<"$(changed "$home/before.png" "$out/desktops-sway.png")"
  expect_eq "gaps to the output's right and top" "12 12" "$((1280 - x - w)) $y"
  "$TALVENOR" Thunderbird &
  sleep 1.5 && grim "$home/second.png"
  read -r w2 _ x2 y2 <<<"$(changed "$out/desktops-sway.png" "$home/second.png")"
  expect_eq "the second balloon's gaps to the right and to the first" "12 8" "$((1280 - x2 - w2)) $((y2 - y - h))"
  finish && exit
fi
# Weston without XWayland, and a display that names no server: no toplevel is made; the balloon
# goes to the notification service played here, which records the calls, and without one, nowhere.
if [ "$2" = weston ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d) WAYLAND_DISPLAY=wayland-9 DISPLAY=:4711 DBUS_SESSION_BUS_ADDRESS=$3
  weston -B headless-backend.so -S wayland-9 --no-config -l log,proto --log="$home/weston.log" &
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-9" ] && break; sleep 0.1; done
  run_talvenor Firefox
  expect_eq "without a service" "2 Cannot open display :4711 nor reach a notification service: balloon not shown" "$status $(log_messages "$VANTREL" | tail -n 1)"
  /usr/bin/python3 - "$home/calls" <<'PY' &
import sys, time
from gi.repository import Gio, GLib
out, shown = open(sys.argv[1], "w", buffering=1), []
def on_call(bus, sender, path, interface, method, args, call):
    a = args.unpack()
    if method == "Notify": shown.append(time.monotonic()); a = (a[0], a[3], "%dx%d" % a[6]["image-data"][:2], a[6]["suppress-sound"])
    if method == "CloseNotification": a += ("after %d s" % round(time.monotonic() - shown[0]),)
    print(method, *a, file=out)
    if method == "Notify" and a[1].startswith("Thunderbird"): return call.return_dbus_error("org.freedesktop.DBus.Error.Failed", "no")
    call.return_value({"Notify": GLib.Variant("(u)", (7,)), "GetCapabilities": GLib.Variant("(as)", ([],))}.get(method))
bus, notify = Gio.bus_get_sync(Gio.BusType.SESSION), "".join(f"<arg type='{t}'/>" for t in ("s", "u", "s", "s", "s", "as", "a{sv}", "i"))
bus.register_object("/org/freedesktop/Notifications", Gio.DBusNodeInfo.new_for_xml(f"<node><interface name='org.freedesktop.Notifications'><method name='GetCapabilities'><arg direction='out' type='as'/></method><method name='Notify'>{notify}<arg direction='out' type='u'/></method><method name='CloseNotification'><arg type='u'/></method></interface></node>").interfaces[0], on_call)
bus.call_sync("org.freedesktop.DBus", "/", "org.freedesktop.DBus", "RequestName", GLib.Variant("(su)", ("org.freedesktop.Notifications", 4)), None, 0, -1)
print("ready", file=out)
GLib.MainLoop().run()
PY
  for _ in $(seq 100); do [ -s "$home/calls" ] && break; sleep 0.1; done
  start_pulse && export $run_env && run_talvenor Firefox
  expect_eq "status, calls, toplevels made, heard, lines naming the route" "0 ready
GetCapabilities
Notify Talvenor Firefox has been successfully updated. You can now use the application. 64x64 True
CloseNotification 7 after 15 s 0 yes 1" "$status $(cat "$home/calls") $(grep -c xdg_toplevel "$home/weston.log") $(heard "$heard" && echo yes) $(grep -cF "through the desktop's notification service" "$(user_log "$VANTREL")")"
  run_talvenor Thunderbird  # a notification the service refuses
  expect_eq "refused" "2 The notification service did not show the balloon: balloon not shown" "$status $(log_messages "$VANTREL" | tail -n 1)"
  finish && exit
fi
# Without the display in the bus's services, kwin waits some 10 s for one that cannot reach it.
# shellcheck disable=SC2086
SESSION_BUS=$3 start_display $command
wmctrl -n 4 2>/dev/null || true
window_of() {  # xdotool's search terms; 30 s, as the window manager has on a loaded machine
  for _ in $(seq 300); do xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 | grep . && return; sleep 0.1; done
  echo "no visible window of $*; unmapped: $(xdotool search "$@" | xargs)" >&2; ps -eo pid,stat,etime,args >&2; return 1
}
prop() { xprop ${1:+-id} ${1:--root} -f "$2" 32c "$2" 2>/dev/null | grep -o '[0-9]\+' | tr '\n' ' '; }
# A panel that reserves the top 30 and right 40 pixels, and the window that has the focus.
xmessage -name panel panel &
xprop -id "$(window_of --classname panel)" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL 0,40,30,0,0,0,0,799,0,1279,0,0
xterm -name holder -geometry 40x5+100+300 &
holder=$(window_of --classname holder)
timeout 5 xdotool windowactivate --sync "$holder" 2>/dev/null || timeout 5 xdotool windowfocus --sync "$holder" || true
[ "$2" = recipe ] && chmod 1777 "$VANTREL/logs/UserLogs" && user=nobody
show() {  # APP ROW
  case $2 in
    recipe) (agent_prompt_shown "$VANTREL" "$1" && exec runuser -u nobody -- env -i DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$home" "$TALVENOR" "$1") & ;;
    *) "$TALVENOR" "$1" & ;;
  esac
}
show Firefox "$2"
parent=$$ pid=$! balloon=$(window_of --classname talvenor)
[ "$2" = recipe ] && parent=$pid pid=$(prop "$balloon" _NET_WM_PID | xargs)
expect_eq "the balloon's user and parent" "$user $parent" "$(ps -o user=,ppid= -p "$pid" | xargs)"
sleep 1.5  # the placement hints come a second after the window
# outer WINDOW: the right and bottom edges of the window's frame, and the frame's top.
outer() {
  local fr ft fb
  read -r _ fr ft fb _ <<<"$(prop "$1" _NET_FRAME_EXTENTS) 0 0 0 0"
  xwininfo -id "$1" | awk -v fr="$fr" -v ft="$ft" -v fb="$fb" '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 }
    END { print x + w + fr, y + h + fb, y - ft }'
}
# expect_gaps WHAT WINDOW PATTERN [TOP]: the gaps from the window's frame to the work area's right
# and to TOP (the work area's top) match PATTERN once the window manager has placed it.
expect_gaps() {
  local ax ay aw right bottom top gaps
  for _ in $(seq 30); do
    read -r ax ay aw _ <<<"$(prop "" _NET_WORKAREA) 0 0 1280 800"
    read -r right bottom top <<<"$(outer "$2")"
    gaps="$((ax + aw - right)) $((top - ${4:-$ay}))"
    case $gaps in $3) return ;; esac
    sleep 0.1
  done
  fail "$1: $gaps"
}
expect_gaps "gaps to the work area's right and top" "$balloon" '1[123] 1[123]'
show Thunderbird "$2"
second=$(for _ in $(seq 100); do xdotool search --onlyvisible --classname talvenor | grep -vx "$balloon" && break; sleep 0.1; done)
expect_gaps "the second balloon's gaps to the right and to the first" "$second" '1[123] [789]' "$(outer "$balloon" | cut -d ' ' -f 2)"
kept=$([ "$(xdotool getwindowfocus)" = "$holder" ] && echo yes || echo no)
case $(xprop -id "$balloon" _NET_WM_ALLOWED_ACTIONS) in
  *_MOVE*) moves=yes ;; *_NET_WM_ACTION_*) moves=no ;; *) moves=n/a ;;
esac
xterm -name later -geometry 60x10-0+0 &
later=$(window_of --classname later)
xdotool windowraise "$later" && sleep 0.5
# Bottom to top, the windows' frames as the server stacks them.
root=$(xwininfo -root | awk '/Window id/ { print $4 }')
frame() {
  local w=$1 p
  while p=$(xwininfo -id "$w" -children | awk '/Parent window id/ { print $4 }') && [ -n "$p" ] && [ "$p" != "$root" ]; do w=$p; done
  printf '%d' "$w"
}
case " $(for w in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }' | tac); do printf '%d ' "$w"; done)" in
  *" $(frame "$later") "*"$(frame "$balloon") "*) above=yes ;; *) above=no ;;
esac
import -window root "$out/desktops-$2.png"
# The luminance of the card's padding below its contents, in per cent.
lum=$(import -window "$balloon" png:- | convert - -gravity south -crop 100%x8+0+3 -colorspace Gray -format '%[fx:int(100*mean)]' info:)
case $2 in dark | openbox) expect_eq "the card dark ($lum %)" "$([ "$2" = dark ] && echo yes || echo no)" "$([ "$lum" -lt 50 ] && echo yes || echo no)" ;; esac
shown=n/a  # i3 makes its workspaces as they are asked for
if [ "$2" = i3 ] && i3-msg -q workspace 2 || { [ "$(prop "" _NET_NUMBER_OF_DESKTOPS)" -gt 1 ] 2>/dev/null && wmctrl -s 1; }; then
  sleep 0.5 && shown=$(xwininfo -id "$balloon" | grep -q IsViewable && echo yes || echo no)
fi
expect_eq "above, next workspace, focus kept, move" "$expected" "$above/$shown/$kept/$moves"
[ "$2" != quiet ] || ! heard "$heard" || fail "heard with event sounds off"
grep -qF "Showing Notification and Playing Sound" "$VANTREL/logs/UserLogs/Brisvane_${user}0.log" || fail "not logged"
finish
