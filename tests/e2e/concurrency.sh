# Twenty runs of one user at once against a log over the rotation threshold, and another
# user's run beside them, in a shared sticky folder: no line lost, split or overwritten.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL" && switch_off "$VANTREL"
logs=$VANTREL/logs/UserLogs && chmod 1777 "$logs"
for i in $(seq 0 9); do echo "marker $i" >"$logs/Brisvane_${LOGIN}$i.log"; done
yes padding | head -c 2097152 >>"$logs/Brisvane_${LOGIN}0.log"

pids=
for _ in $(seq 20); do "$TALVENOR" Firefox & pids="$pids $!"; done
as_nobody "$TALVENOR" Firefox & nobody_pid=$!
for pid in $pids $nobody_pid; do
  timeout 30 tail --pid="$pid" -f /dev/null || fail "run $pid hung"
  wait "$pid" || fail "run $pid ended with status $?"
done

all=$(cat "$logs"/Brisvane_"$LOGIN"*.log)
[ "$(ls "$logs"/Brisvane_"$LOGIN"*.log | wc -l)" -le 11 ] || fail "over eleven log files"
expect_eq "markers 0 to 8 kept once each" "$(seq 0 8 | sed 's/^/marker /')" "$(printf '%s\n' "$all" | grep '^marker [0-8]$' | sort)"
expected="Log Open:Talvenor
Given App Name Optional(\"Firefox\")
Inside checkIfApplicationRunningPromptEnabled
checkIfApplicationRunningPromptEnabled : Talvenor disabled
Not showing Talvenor"
for pid in $pids; do
  expect_eq "lines of run $pid" "$expected" \
    "$(printf '%s\n' "$all" | grep -E "^[0-9-]{10} [0-9:.]{12} talvenor\[$pid:$pid\] " | sed 's/^[^]]*\] //')"
done
broken=$(printf '%s\n' "$all" | grep -vE '^(marker [0-9]|padding|[0-9-]{10} [0-9:.]{12} talvenor\[[0-9]+:[0-9]+\] .+)$' | head -n 3)
expect_eq "broken lines" "" "$broken"
expect_eq "the other user's run, in its own file" "$expected" \
  "$(sed 's/^[^]]*\] //' "$logs/Brisvane_nobody0.log")"
finish
