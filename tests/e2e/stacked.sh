# Balloons shown together, a smoke check of the placement table: of two started at once the second
# 8 pixels below the first, one sound between them; the first killed, the next takes its place; on
# a second display of the same session, a lone balloon at the top.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0
install_agent "$VANTREL" && switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" "Firefox Thunderbird Gimp Blender"
start_display && start_pulse
env $run_env pactl subscribe >"$heard.events" 2>/dev/null &
place() {  # PID: its window's gap to the screen's right, its top and its height, once settled
  for _ in $(seq 100); do w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1) && [ -n "$w" ] && break; sleep 0.1; done
  [ -n "$w" ] && sleep 0.5 && xwininfo -id "$w" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print 1280 - x - w, y, h }'
}
env $run_env "$TALVENOR" Firefox & first=$!; env $run_env "$TALVENOR" Thunderbird & second=$!
read -r r1 y1 h1 top r2 y2 _ <<<"$(for pid in $first $second; do echo "$(place $pid) $pid"; done | sort -k 2n | xargs)"
case "$r1 $y1 $r2 $((y2 - y1 - h1))" in 1[123]" "1[123]" "1[123]" "[789]) ;; *)
  fail "gaps to the right and top, then to the right and the first: $r1 $y1 $r2 $((y2 - y1 - h1))" ;; esac
sounds() { grep -c "'$1' on sink-input" "$heard.events"; }
await_sounds() { for _ in $(seq 100); do [ "$(sounds "$1")" -ge "$2" ] && break; sleep 0.1; done; }
# The pair's sound holds the session's sound lock until it ends; the later balloon comes after.
await_sounds remove 1
kill "$top"; env $run_env "$TALVENOR" Gimp & third=$!
case $(place $third) in 1[123]" "1[123]" "*) ;; *) fail "the killed balloon's place not taken" ;; esac
await_sounds new 2 && sleep 0.5
expect_eq "sounds played: one for the two together, one for the later" 2 "$(sounds new)"
start_display
env $run_env "$TALVENOR" Blender & other=$!
case $(place $other) in 1[123]" "1[123]" "*) ;; *) fail "the other display's balloon is not at the top" ;; esac
finish
