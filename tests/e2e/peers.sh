# Peers that are missing, silent or going away: no display, a display or bus that accepts and
# never answers, the display killed and signals while the balloon is shown. Each ends in its own
# line, in bounded time, with its status.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0  # the toolkit's own allocations outlive the run
install_agent "$VANTREL" && switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" Firefox
silent() { /usr/bin/python3 -c 'import socket, sys, time  # "@": an abstract name, as X clients try first
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1].replace("@", "\0")); s.listen(); time.sleep(60)' "$1" & }
silent @/tmp/.X11-unix/X96 && silent "$TMPDIR/wayland-silent" && silent "$TMPDIR/bus" && sleep 0.3
last_line() { log_messages "$VANTREL" | tail -n 1; }

# row: DISPLAY, the run's other variables, its status, its last line, the most seconds it takes.
while IFS='|' read -r display vars expected line seconds; do
  rm -f "$(user_log "$VANTREL")"
  start=$(date +%s%N)
  (export DISPLAY=$display && [ -n "$display" ] || unset DISPLAY
   exec env -u WAYLAND_DISPLAY $vars "$TALVENOR" Firefox) && status=0 || status=$?
  expect_eq "$display $vars: status, line" "$expected $line" "$status $(last_line)"
  [ $(($(date +%s%N) - start)) -le $((seconds * 1000000000)) ] || fail "$display $vars: over $seconds s"
done <<ROWS
:97||2|Cannot open display :97: balloon not shown|5
||2|Cannot open display (DISPLAY not set): balloon not shown|5
:96||2|Cannot open display :96: no answer within 5 s, balloon not shown|8
ROWS

# Shown on X although the Wayland socket or the session bus never answers, or with another
# user's folders, which it leaves as they were; then ended by a signal, or by its display killed.
start_display
other=$(mktemp -d) && chown nobody "$other"
while IFS='|' read -r vars line end expected; do
  rm -f "$(user_log "$VANTREL")"
  env $vars "$TALVENOR" Firefox & pid=$!
  for _ in $(seq 40); do grep -q "Playing Sound" "$(user_log "$VANTREL")" && break; sleep 0.1; done
  expect_eq "$vars: line" "$line" "$(log_messages "$VANTREL" | grep -F "$line" || true)"
  sleep 0.5 && if [ "$end" = display ]; then pkill -x Xvfb; else kill -s "$end" "$pid"; fi
  wait "$pid" && status=0 || status=$?
  expect_eq "$vars: ended by $end" "$expected" "$status $(last_line)"
done <<ROWS
WAYLAND_DISPLAY=$TMPDIR/wayland-silent|The Wayland display $TMPDIR/wayland-silent does not answer: going on with X11|TERM|143 Received SIGTERM: balloon closed
DBUS_SESSION_BUS_ADDRESS=unix:path=$TMPDIR/bus|The session bus does not answer: going on without it|INT|130 Received SIGINT: balloon closed
DBUS_SESSION_BUS_ADDRESS=disabled:|Showing Notification and Playing Sound|HUP|129 Received SIGHUP: balloon closed
-u XDG_RUNTIME_DIR HOME=$other|Showing Notification and Playing Sound|TERM|143 Received SIGTERM: balloon closed
XDG_RUNTIME_DIR=$other|Showing Notification and Playing Sound|TERM|143 Received SIGTERM: balloon closed
|Showing Notification and Playing Sound|display|2 Display $DISPLAY closed: balloon closed
ROWS
expect_eq "what is left in another user's folders" "" "$(find "$other" ! -user nobody)"
finish
