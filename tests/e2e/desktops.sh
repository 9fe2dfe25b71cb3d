# The balloon on one desktop of the table below: its outer edge 12 pixels from the work area's
# right and top, and what the manager does with the hints, each against the manager's row.
#   desktops.sh TALVENOR ENVIRONMENT
# Columns: environment, above a later window, shown on the next workspace, focus kept, the
# move offered (n/a: the manager publishes no allowed actions), command. xfwm4 and fluxbox offer
# a move whatever the Motif hints say, as their users expect: their rows record it.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0
config=$(mktemp -d)
printf 'focus_follows_mouse no\n' >"$config/i3"
# Managers that keep settings or want a bus get a home and a bus of the run's own.
set -- "$1" "$2" $(dbus-daemon --session --fork --print-address=1 --print-pid=1)
bus_pid=$4
session="env HOME=$config NO_AT_BRIDGE=1 QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=$3"
while read -r name above workspace focus movable command; do
  [ "$name" = "$2" ] && break
done <<EOF
openbox  yes yes yes no    openbox --sm-disable
xfwm4    yes yes yes yes   $session xfwm4 --compositor=off --sm-client-disable
metacity yes yes yes no    $session metacity
mutter   yes yes yes no    $session mutter --x11 --sm-disable
kwin     yes yes yes no    $session kwin_x11
icewm    yes yes yes n/a   $session icewm
fluxbox  yes yes yes yes   $session fluxbox
i3       yes yes yes n/a   i3 -c $config/i3
none     no  n/a yes n/a   none
sway     -   -   -   -     sway
EOF
[ "$name" = "$2" ] || { echo "no environment $2"; exit 1; }
artefacts=$(dirname "$TALVENOR")/artefacts
mkdir -p "$artefacts"
install_agent "$VANTREL"
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox
# sway, headless and as an ordinary user since it refuses root: the balloon is a layer-shell
# overlay, outside the tree of windows, seen in the pictures of the output before and after.
if [ "$2" = sway ]; then
  export XDG_RUNTIME_DIR=$config WAYLAND_DISPLAY=wayland-9
  unset DISPLAY
  chown nobody "$config" && chmod 700 "$config"
  printf 'output HEADLESS-1 resolution 1280x800 bg #336699 solid_color\nxwayland disable\n' >"$config/sway"
  HOME=$config WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$config/sway" >/dev/null 2>&1 &
  pid= sway_pid=$!
  trap 'kill $pid $sway_pid $bus_pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do ls "$config"/wayland-? >/dev/null 2>&1 && break; sleep 0.1; done
  WAYLAND_DISPLAY=$(basename "$(ls "$config"/wayland-? | head -n 1)")
  export SWAYSOCK=$(ls "$config"/sway-ipc.*.sock)
  grim "$config/before.png"
  "$TALVENOR" Firefox &
  pid=$!
  for _ in $(seq 100); do grep -qF "Showing Notification" "$(user_log "$VANTREL")" 2>/dev/null && break; sleep 0.1; done
  sleep 1
  grim "$artefacts/desktops-sway.png"
  swaymsg -t get_tree | grep -q "\"pid\": $pid," && fail "the balloon is a window of the tree"
  # The box of the pixels that changed: its right and top gaps to the output.
  read -r w h x y <<<"$(convert "$config/before.png" "$artefacts/desktops-sway.png" -compose difference \
    -composite -format '%@' info: | tr 'x+' '  ')"
  expect_eq "gaps to the output's right and top" "12 12" "$((1280 - x - w)) $y"
  kill "$pid"
  finish
  exit
fi
window_of() {  # xdotool's search terms
  for _ in $(seq 100); do xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 | grep . && return; sleep 0.1; done
}
# shellcheck disable=SC2086
start_display $command
pid= other_pids=
trap 'kill $pid $other_pids $WM_PID $XVFB_PID $bus_pid 2>/dev/null || true' EXIT
wmctrl -n 4 2>/dev/null || true
# A panel that reserves the top 30 and right 40 pixels, so that the work area is not the screen.
xmessage -name panel -geometry 40x30+0+0 panel &
other_pids=$!
panel=$(window_of --classname panel)
xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL 0,40,30,0,0,0,0,799,0,1279,0,0
# The window that has the focus when the balloon appears.
xterm -name holder -geometry 40x5+100+300 &
other_pids="$other_pids $!"
holder=$(window_of --classname holder)
timeout 5 xdotool windowactivate --sync "$holder" 2>/dev/null || timeout 5 xdotool windowfocus --sync "$holder" || true
"$TALVENOR" Firefox &
pid=$!
prop() { xprop ${1:+-id} ${1:--root} -f "$2" 32c "$2" 2>/dev/null | grep -o '[0-9]\+' | tr '\n' ' '; }
# The server's stacking of the windows' frames, bottom to top.
toplevel() {
  local w=$1 p
  while p=$(xwininfo -id "$w" -children | awk '/Parent window id/ { print $4 }') && [ -n "$p" ] && [ "$p" != "$root" ]; do w=$p; done
  printf '%d' "$w"
}
stacking() { for w in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }' | tac); do printf '%d ' "$w"; done; }
root=$(xwininfo -root | awk '/Window id/ { print $4 }')
balloon=$(window_of --all --pid "$pid")
[ -n "$balloon" ] || { fail "no balloon"; finish; }
sleep 1.5  # the placement hints come a second after the window
# The outer edge's gaps to the work area, once the position has settled.
gaps_right() { [ "$right_gap" -ge 11 ] && [ "$right_gap" -le 13 ] && [ "$top_gap" -ge 11 ] && [ "$top_gap" -le 13 ]; }
for _ in $(seq 30); do
  read -r ax ay aw ah _ <<<"$(prop "" _NET_WORKAREA) 0 0 1280 800"
  read -r fl fr ft fb _ <<<"$(prop "$balloon" _NET_FRAME_EXTENTS) 0 0 0 0"
  read -r x y w <<<"$(xwininfo -id "$balloon" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } END { print x, y, w }')"
  right_gap=$((ax + aw - (x + w + fr))) top_gap=$((y - ft - ay))
  gaps_right && break
  sleep 0.1
done
gaps_right || fail "gaps right $right_gap top $top_gap: work area $ax $ay $aw $ah, window $x $y $w, frame $fl $fr $ft $fb"
kept=$([ "$(xdotool getwindowfocus)" = "$holder" ] && echo yes || echo no)
case $(xprop -id "$balloon" _NET_WM_ALLOWED_ACTIONS) in
  *_NET_WM_ACTION_MOVE*) moves=yes ;;
  *_NET_WM_ACTION_*) moves=no ;;
  *) moves=n/a ;;
esac
# A window opened and raised over the balloon's corner after it.
xterm -name later -geometry 60x10-0+0 &
other_pids="$other_pids $!"
later=$(window_of --classname later)
xdotool windowraise "$later"
sleep 0.5
case " $(stacking)" in
  *" $(toplevel "$later") "*"$(toplevel "$balloon") "*) on_top=yes ;;
  *) on_top=no ;;
esac
import -window root "$artefacts/desktops-$2.png"
shown=n/a
# i3 makes its workspaces as they are asked for.
if [ "$2" = i3 ] && i3-msg -q workspace 2 || { [ "$(prop "" _NET_NUMBER_OF_DESKTOPS)" -gt 1 ] 2>/dev/null && wmctrl -s 1; }; then
  sleep 0.5
  shown=$(xwininfo -id "$balloon" | grep -q IsViewable && echo yes || echo no)
fi
expect_eq "above, next workspace, focus kept, move" "$above $workspace $focus $movable" \
  "$on_top $shown $kept $moves"
kill "$pid"
grep -qF "Showing Notification and Playing Sound" "$(user_log "$VANTREL")" || fail "not logged as shown"
finish
