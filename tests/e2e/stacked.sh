# Balloons shown together: three started at once stack down from the corner, 8 pixels apart, on
# a screen where the third must start a second column, with one sound among them; a fourth takes
# the place of one killed, and a later one plays its sound again; a run that cannot share places
# shows its balloon in the corner and logs as any other.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0
install_agent "$VANTREL" && switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" "Firefox Thunderbird LibreOffice Gimp Blender Audacity Inkscape Krita"
SCREEN_HEIGHT=330
start_display
start_pulse
env $run_env pactl subscribe >"$heard.events" 2>/dev/null &
# A panel reserving the top 30 pixels, so that the work area is not the screen.
xmessage -name panel panel 2>/dev/null &
for _ in $(seq 50); do panel=$(xdotool search --classname panel | head -n 1) && [ -n "$panel" ] && break; sleep 0.1; done
xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c -set _NET_WM_STRUT_PARTIAL 0,0,30,0,0,0,0,0,0,1279,0,0
for _ in $(seq 50); do
  read -r ax ay aw ah _ <<<"$(xprop -root -f _NET_WORKAREA 32c _NET_WORKAREA | grep -o '[0-9]\+' | tr '\n' ' ')"
  [ "$ay" = 30 ] && break; sleep 0.1
done

# start APP [ENV-OPTIONS [ASSIGNMENTS]]
start() { env ${2:-} $run_env ${3:-} "$TALVENOR" "$1" & eval "pid_$1=\$!"; }
# box APP: the outer box of APP's window on screen, "x y width height", once it is there.
box() {
  local pid window
  eval "pid=\$pid_$1"
  for _ in $(seq 100); do window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1) && [ -n "$window" ] && break; sleep 0.1; done
  [ -n "$window" ] || { echo "none"; return; }
  sleep 0.5  # the window manager's own move, and the balloon's answer to it
  xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
# expect_place WHAT BOX ROW [RIGHT]: the box's right edge 12 pixels left of RIGHT (the work
# area's right edge unless given), its top 12 + ROW * (height + 8) below the work area's, give or
# take a pixel; and the box inside the work area.
expect_place() {
  local x y w h gaps
  [ "$2" != none ] || { fail "$1: no window"; return; }
  read -r x y w h <<<"$2"
  gaps="$((${4:-$((ax + aw))} - x - w)) $((y - ay - $3 * (h + 8)))"
  case $gaps in 1[123]" "1[123]) ;; *) fail "$1 at $2: gaps to the right and to its row $gaps" ;; esac
  [ "$x" -ge "$ax" ] && [ $((y + h)) -le $((ay + ah)) ] || fail "$1 at $2 is outside the work area"
}

for app in Firefox Thunderbird LibreOffice; do start $app; done
# By right edge, the rightmost column first, then from the top.
by_place() { awk '{ print $1 + $3, $0 }' | sort -k 1,1nr -k 3,3n | cut -d ' ' -f 2-; }
boxes=$(for app in Firefox Thunderbird LibreOffice; do box $app; done | by_place)
read -r x1 _ w1 _ <<<"$(sed -n 2p <<<"$boxes")" && read -r x2 _ w2 _ <<<"$(sed -n 3p <<<"$boxes")"
expect_place "the first balloon" "$(sed -n 1p <<<"$boxes")" 0
expect_place "the second balloon" "$(sed -n 2p <<<"$boxes")" 1
# Left of the first column's widest balloon, itself included.
column=$(printf '%s\n' "$boxes" | awk 'NR < 3 && $1 < m || NR == 1 { m = $1 } END { print m }')
[ $((ax + aw - 12 - w2)) -lt "$column" ] && column=$((ax + aw - 12 - w2))
expect_place "the third balloon" "$(sed -n 3p <<<"$boxes")" 0 $((column + 12 - 8))
expect_eq "sounds played" 1 "$(grep -c "'new' on sink-input" "$heard.events")"

# The corner's balloon killed, the next one started takes its place; the others stay.
living=
for app in Firefox Thunderbird LibreOffice; do
  if [ "$(box $app)" = "$(head -n 1 <<<"$boxes")" ]; then eval "kill \$pid_$app"; else living="$living $app"; fi
done
start Gimp
expect_place "the balloon after one was killed" "$(box Gimp)" 0
# A sound that has ended holds no one back, though its balloon is still shown.
sleep 1.5 && start Blender && box Blender >/dev/null
expect_eq "sounds played, each after the last had ended" 3 "$(grep -c "'new' on sink-input" "$heard.events")"
expect_eq "the others where they were" "$(tail -n 2 <<<"$boxes")" \
  "$(for app in $living; do box $app; done | by_place)"
kill $pid_Firefox $pid_Thunderbird $pid_LibreOffice $pid_Gimp $pid_Blender 2>/dev/null || true
sleep 0.5

# Arranging held up for good by another process: the balloon does not wait for it.
exec 8>"$XDG_RUNTIME_DIR/talvenor/places.lock" && flock 8
start Audacity 8>&-
expect_place "the balloon while arranging is held up" "$(box Audacity)" 0
kill $pid_Audacity && exec 8>&-

# No runtime folder, then one that cannot be written: the corner, and the same log.
start Inkscape "-u XDG_RUNTIME_DIR"
expect_place "the balloon without a runtime folder" "$(box Inkscape)" 0
start Krita "" "XDG_RUNTIME_DIR=/proc HOME=/proc"
expect_place "the balloon with a runtime folder it cannot write" "$(box Krita)" 0
kill $pid_Inkscape $pid_Krita
messages() { grep -F "[$1:" "$(user_log "$VANTREL")" | sed -e 's/^[^]]*\] //' -e "s/$2/App/g" | normalise_ids; }
expect_eq "a lone run's log" "$(messages $pid_Inkscape Inkscape)" "$(messages $pid_Krita Krita)"
expect_eq "a stacked run's log" "$(messages $pid_Inkscape Inkscape)" "$(messages $pid_Gimp Gimp)"
finish
