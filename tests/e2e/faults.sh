# Faults of the machine on the paths that end at a gate: each ends in its line and status.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL"
switch_off "$VANTREL"
logs=$VANTREL/logs/UserLogs
log=$(user_log "$VANTREL")
as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }

# expect_unlogged WHAT: the run ended normally and no log file appeared.
expect_unlogged() {
  expect_eq "$1: status" 0 "$status"
  [ ! -f "$log" ] || fail "$1: a log was written"
}

# The user-logs folder read-only, a plain file; the log path a link, a folder, a FIFO.
mount -t tmpfs -o ro,size=64k readonly "$logs"
run_talvenor Firefox
expect_unlogged "read-only log folder"
umount "$logs"

rm -r "$logs" && touch "$logs"
run_talvenor Firefox
expect_unlogged "log folder is a file"
rm "$logs" && mkdir -m 1777 "$logs"

echo "keep" >/Library/elsewhere
ln -s /Library/elsewhere "$log"
run_talvenor Firefox
expect_eq "link at the log path: status" 0 "$status"
expect_eq "link target untouched" "keep" "$(cat /Library/elsewhere)"
rm "$log"

mkdir "$log"
run_talvenor Firefox
expect_eq "folder at the log path: status" 0 "$status"
rmdir "$log"

mkfifo "$log"
timeout 10 "$TALVENOR" Firefox && status=0 || status=$?
expect_eq "FIFO at the log path: status" 0 "$status"
rm "$log"

# A log file the user may not write: the run goes on unlogged, the file unchanged.
echo "earlier" >"$log.nobody"
chown nobody "$log.nobody" && chmod 444 "$log.nobody"
nobody_log=$logs/Brisvane_nobody0.log
mv "$log.nobody" "$nobody_log"
as_nobody "$TALVENOR" Firefox && status=0 || status=$?
expect_eq "read-only log file: status" 0 "$status"
expect_eq "read-only log file unchanged" "earlier" "$(cat "$nobody_log")"
rm "$nobody_log"

# The disk fills up while logging: the run still ends as it should.
mount -t tmpfs -o size=16k full "$logs"
head -c 16384 /dev/zero >"$logs/filler" 2>/dev/null || true
run_talvenor Firefox
expect_eq "disk full: status" 0 "$status"
umount "$logs"

# The process-status tool failing or not runnable: empty output, then the refusal.
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox
for stand_in in /bin/false /dev/null; do
  rm -f "$log"
  mount --bind "$stand_in" /bin/ps
  run_talvenor Firefox
  umount /bin/ps
  expect_eq "ps as $stand_in: status" 0 "$status"
  messages=$(log_messages "$VANTREL")
  printf '%s\n' "$messages" | grep -q '^child process ID [0-9]* : parent process id $' ||
    fail "ps as $stand_in: no empty parent text in: $messages"
  expect_eq "ps as $stand_in: last line" \
    "Talvenor: The Application is not running while patching, hence brisvane not shown" \
    "$(printf '%s\n' "$messages" | tail -n 1)"
done

# The agent's files unreadable, truncated, or a folder: the switch reads as not a dictionary.
switch="$VANTREL/data/zelpatch_data.plist"
cannot="checkIfApplicationRunningPromptEnabled : Cannot Convert plist to Dict"
check_switch_fault() {  # check_switch_fault WHAT [RUNNER]
  rm -f "$log" "$nobody_log"
  ${2:-} "$TALVENOR" Firefox && status=0 || status=$?
  expect_eq "$1: status" 0 "$status"
  expect_eq "$1: lines" "$cannot
Not showing Talvenor" "$(sed 's/^[^]]*\] //' "${3:-$log}" | tail -n 2)"
}
chmod 000 "$switch"
check_switch_fault "unreadable switch" as_nobody "$nobody_log"
chmod 644 "$switch"
switch_on "$VANTREL" bin
head -c 30 "$switch" >"$switch.part" && mv "$switch.part" "$switch"
check_switch_fault "truncated switch"
rm "$switch" && mkdir "$switch"
check_switch_fault "folder as switch"
rmdir "$switch"

# A 50 MB property list is read whole, once, in reasonable time.
agent_prompt_shown "$VANTREL" Thunderbird
{
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<plist version="1.0"><dict>'
  printf '<key>ApplicationRunningPrompt</key><true/><key>padding</key><string>'
  head -c 52428800 /dev/zero | tr '\0' 'x'
  printf '</string></dict></plist>\n'
} >"$switch"
rm -f "$log"
start=$(date +%s)
run_talvenor Firefox
expect_eq "50 MB switch: status" 0 "$status"
expect_eq "50 MB switch: read" "checkIfApplicationRunningPromptEnabled : Showing Talvenor" \
  "$(log_messages "$VANTREL" | sed -n 4p)"
[ $(($(date +%s) - start)) -le 20 ] || fail "50 MB switch took over 20 seconds"
finish
