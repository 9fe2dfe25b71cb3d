# Faults of the machine on the paths that end at a gate: each ends in its line and status.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL" && switch_off "$VANTREL"
logs=$VANTREL/logs/UserLogs log=$(user_log "$VANTREL") nobody_log=$VANTREL/logs/UserLogs/Brisvane_nobody0.log
echo keep >/Library/elsewhere  # behind a link at the log path: the run's check that nothing else is written covers it

# Each row: what is done to the log's place, the run's closed standard streams, what the log then
# holds (no file, anything, or every line from the first to the refusal), what is undone after.
# A FIFO at the log path must not hold the run up.
while IFS='|' read -r what spoil closed logged undo; do
  eval "$spoil" && eval "run_talvenor Firefox $closed" && expect_eq "$what: status" 0 "$status"
  case $logged in
    none) [ ! -f "$log" ] || fail "$what: a log was written" ;;
    lines) expect_eq "$what: lines" "Log Open:Talvenor Not showing Talvenor" "$(log_messages "$VANTREL" | sed -n '1p;$p' | xargs)" ;;
  esac
  eval "$undo"
done <<'ROWS'
read-only log folder|mount -t tmpfs -o ro,size=64k readonly "$logs"||none|umount "$logs"
log folder is a file|rm -r "$logs" && touch "$logs"||none|rm "$logs" && mkdir -m 1777 "$logs"
link at the log path|ln -s /Library/elsewhere "$log"||any|rm "$log"
folder at the log path|mkdir "$log"||any|rmdir "$log"
FIFO at the log path|mkfifo "$log"||any|rm "$log"
standard input closed|:|0<&-|lines|rm -f "$log"
standard output closed|:|1>&-|lines|rm -f "$log"
standard error closed|:|2>&-|lines|rm -f "$log"
all three closed|:|0<&- 1>&- 2>&-|lines|rm -f "$log"
disk full while logging|mount -t tmpfs -o size=16k full "$logs" && { head -c 16384 /dev/zero >"$logs/filler" 2>/dev/null; true; }||any|umount "$logs"
ROWS

# A log file the user may not write: the run goes on unlogged, the file unchanged.
echo "earlier" >"$nobody_log" && chown nobody "$nobody_log" && chmod 444 "$nobody_log"
as_nobody "$TALVENOR" Firefox && status=0 || status=$?
expect_eq "read-only log file: status, file" "0 earlier" "$status $(cat "$nobody_log")"

# The process-status tool failing or not runnable: empty output, then the refusal.
switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" Firefox
for stand_in in /bin/false /dev/null; do
  rm -f "$log" && mount --bind "$stand_in" /bin/ps && run_talvenor Firefox && umount /bin/ps
  messages=$(log_messages "$VANTREL")
  printf '%s\n' "$messages" | grep -q '^child process ID [0-9]* : parent process id $' ||
    fail "ps as $stand_in: no empty parent text in: $messages"
  expect_eq "ps as $stand_in: status, last line" \
    "0 Talvenor: The Application is not running while patching, hence brisvane not shown" \
    "$status $(printf '%s\n' "$messages" | tail -n 1)"
done

# A 50 MB property list is read whole, once, in reasonable time.
agent_prompt_shown "$VANTREL" Thunderbird
{
  printf '<plist version="1.0"><dict><key>ApplicationRunningPrompt</key><true/><key>pad</key><string>'
  head -c 52428800 /dev/zero | tr '\0' 'x'
  printf '</string></dict></plist>\n'
} >"$VANTREL/data/zelpatch_data.plist"
rm -f "$log" && start=$(date +%s) && run_talvenor Firefox
expect_eq "50 MB switch: status, read" "0 checkIfApplicationRunningPromptEnabled : Showing Talvenor" \
  "$status $(log_messages "$VANTREL" | sed -n 4p)"
[ $(($(date +%s) - start)) -le 20 ] || fail "50 MB switch took over 20 seconds"
finish
