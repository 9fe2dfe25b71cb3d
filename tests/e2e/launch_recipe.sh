# The administrators' guide's launch recipe: a root shell records itself as the parent, becomes
# runuser, and talvenor runs as the user on the session's display, into that user's log.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0
install_agent "$VANTREL"
switch_on "$VANTREL"
chmod 1777 "$VANTREL/logs/UserLogs"
start_display
runtime=$(mktemp -d) && chown nobody "$runtime" && chmod 700 "$runtime"
(
  agent_prompt_shown "$VANTREL" Firefox
  exec runuser -u nobody -- env -i DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" "$TALVENOR" Firefox
) &
parent=$!
for _ in $(seq 100); do
  window=$(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*' | head -n 1) && [ -n "$window" ] && break
  sleep 0.1
done
pid=$(xprop -id "$window" _NET_WM_PID | grep -o '[0-9]*$')
expect_eq "the balloon's user and parent" "nobody $parent" "$(ps -o user=,ppid= -p "$pid" | xargs)"
sleep 0.5
kill "$pid"
wait "$parent" || true
grep -qF "Showing Notification and Playing Sound" "$VANTREL/logs/UserLogs/Brisvane_nobody0.log" ||
  fail "not shown in nobody's log"
finish
