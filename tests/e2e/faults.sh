# Faults of the machine on the paths that end at a gate: each ends in its line and status.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL"
switch_off "$VANTREL"
logs=$VANTREL/logs/UserLogs
log=$(user_log "$VANTREL")
nobody_log=$logs/Brisvane_nobody0.log

# expect_ended WHAT [LOG-EXPECTED]: status 0, and the log there ("yes") or not ("no").
expect_ended() {
  expect_eq "$1: status" 0 "$status"
  [ "${2:-no}" = yes ] || [ ! -f "$log" ] || fail "$1: a log was written"
}

# The user-logs folder read-only or a plain file; a link, a folder or a FIFO at the log path.
mount -t tmpfs -o ro,size=64k readonly "$logs"
run_talvenor Firefox && expect_ended "read-only log folder"
umount "$logs" && rm -r "$logs" && touch "$logs"
run_talvenor Firefox && expect_ended "log folder is a file"
rm "$logs" && mkdir -m 1777 "$logs"
echo "keep" >/Library/elsewhere && ln -s /Library/elsewhere "$log"
run_talvenor Firefox && expect_ended "link at the log path" yes
expect_eq "link target untouched" "keep" "$(cat /Library/elsewhere)"
rm "$log" && mkdir "$log"
run_talvenor Firefox && expect_ended "folder at the log path" yes
rmdir "$log" && mkfifo "$log"
timeout 10 "$TALVENOR" Firefox && status=0 || status=$?
expect_ended "FIFO at the log path" yes
rm "$log"

# Started with standard streams closed, alone or together: every line still logged.
for closed in '0<&-' '1>&-' '2>&-' '0<&- 1>&- 2>&-'; do
  eval "run_talvenor Firefox $closed" && expect_ended "$closed" yes
  expect_eq "$closed: lines" "Log Open:Talvenor Not showing Talvenor" \
    "$(log_messages "$VANTREL" | sed -n '1p;$p' | paste -sd ' ')" && rm -f "$log"
done

# A log file the user may not write: the run goes on unlogged, the file unchanged.
echo "earlier" >"$nobody_log" && chown nobody "$nobody_log" && chmod 444 "$nobody_log"
as_nobody "$TALVENOR" Firefox && status=0 || status=$?
expect_ended "read-only log file"
expect_eq "read-only log file unchanged" "earlier" "$(cat "$nobody_log")"
rm "$nobody_log"

# The disk fills up while logging: the run still ends as it should.
mount -t tmpfs -o size=16k full "$logs"
head -c 16384 /dev/zero >"$logs/filler" 2>/dev/null || true
run_talvenor Firefox && expect_ended "disk full" yes
umount "$logs"

# The process-status tool failing or not runnable: empty output, then the refusal.
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox
for stand_in in /bin/false /dev/null; do
  rm -f "$log"
  mount --bind "$stand_in" /bin/ps
  run_talvenor Firefox
  umount /bin/ps
  expect_ended "ps as $stand_in" yes
  messages=$(log_messages "$VANTREL")
  printf '%s\n' "$messages" | grep -q '^child process ID [0-9]* : parent process id $' ||
    fail "ps as $stand_in: no empty parent text in: $messages"
  expect_eq "ps as $stand_in: last line" \
    "Talvenor: The Application is not running while patching, hence brisvane not shown" \
    "$(printf '%s\n' "$messages" | tail -n 1)"
done

# The switch file unreadable by the user: read as no dictionary.
switch="$VANTREL/data/zelpatch_data.plist"
chmod 000 "$switch" && as_nobody "$TALVENOR" Firefox && status=0 || status=$?
expect_eq "unreadable switch: status, lines" "0 checkIfApplicationRunningPromptEnabled : Cannot Convert plist to Dict
Not showing Talvenor" "$status $(sed 's/^[^]]*\] //' "$nobody_log" | tail -n 2)"

# A 50 MB property list is read whole, once, in reasonable time.
agent_prompt_shown "$VANTREL" Thunderbird
{
  printf '<plist version="1.0"><dict><key>ApplicationRunningPrompt</key><true/><key>pad</key><string>'
  head -c 52428800 /dev/zero | tr '\0' 'x'
  printf '</string></dict></plist>\n'
} >"$switch"
rm -f "$log"
start=$(date +%s)
run_talvenor Firefox && expect_ended "50 MB switch" yes
expect_eq "50 MB switch: read" "checkIfApplicationRunningPromptEnabled : Showing Talvenor" \
  "$(log_messages "$VANTREL" | sed -n 4p)"
[ $(($(date +%s) - start)) -le 20 ] || fail "50 MB switch took over 20 seconds"
finish
