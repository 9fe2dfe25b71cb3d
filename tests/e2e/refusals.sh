# Every path that ends before the balloon, in both encodings of the agent's files.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL"
data=$VANTREL/data
run_talvenor
expect_eq "no name: status" 1 "$status"
expect_eq "no name: log" "Log Open:Talvenor
Arguments are low, No App name is given" "$(log_messages "$VANTREL")"

for format in xml bin; do
  rm -f "$(user_log "$VANTREL")" "$data"/*.plist
  run_talvenor Firefox ignored-extra
  expect_eq "$format no switch file: status" 0 "$status"
  expect_eq "$format no switch file: log" "Log Open:Talvenor
Given App Name Optional(\"Firefox\")
Inside checkIfApplicationRunningPromptEnabled
checkIfApplicationRunningPromptEnabled $data/zelpatch_data.plist file not available
Not showing Talvenor" "$(log_messages "$VANTREL")"

  rm -f "$(user_log "$VANTREL")"
  switch_off "$VANTREL" "$format"
  agent_prompt_shown "$VANTREL" Firefox "$format"
  run_talvenor Firefox
  expect_eq "$format switch off: status" 0 "$status"
  expect_eq "$format switch off: log ends" "checkIfApplicationRunningPromptEnabled : Talvenor disabled
Not showing Talvenor" "$(log_messages "$VANTREL" | tail -n 2)"

  rm -f "$(user_log "$VANTREL")"
  switch_on "$VANTREL" "$format"
  agent_prompt_shown "$VANTREL" Thunderbird "$format"
  run_talvenor 'Fire%dfox'
  expect_eq "$format other application: status" 0 "$status"
  expect_eq "$format other application: log" "Log Open:Talvenor
Given App Name Optional(\"Fire%dfox\")
Inside checkIfApplicationRunningPromptEnabled
checkIfApplicationRunningPromptEnabled : Showing Talvenor
child process ID - : parent process id -
previousParentPid is nil for Fire%dfox -> false
Talvenor: The Application is not running while patching, hence brisvane not shown" \
    "$(log_messages "$VANTREL" | normalise_ids)"

  rm -f "$(user_log "$VANTREL")"
  write_plist "$data/ApplicationRunningPromptData.plist" "$format" \
    "<key>Brisvane</key><dict><key>Firefox</key><string>1</string></dict>"
  run_talvenor Firefox
  expect_eq "$format other parent: status" 0 "$status"
  expect_eq "$format other parent: log ends" "current and previousParentPid are different -> false :1
Talvenor: The Application is not running while patching, hence brisvane not shown" \
    "$(log_messages "$VANTREL" | tail -n 2)"
done

finish
