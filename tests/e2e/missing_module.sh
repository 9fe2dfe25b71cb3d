# An installation without its toolkit module: the gates say yes, the module cannot be
# loaded, and the run ends with status 2 after a line naming the module's path. No display is
# needed: a missing module is reported before a display that cannot be opened.
#   missing_module.sh TALVENOR EXPECTED-MODULE-PATH
. "$(dirname "$0")/lib.sh"
module=$2
install_agent "$VANTREL"
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox
run_talvenor Firefox
expect_eq "status" 2 "$status"
last=$(log_messages "$VANTREL" | tail -n 1)
case $last in
  "Cannot load the toolkit: $module:"*) ;;
  *) fail "last line: expected the toolkit failure for $module, got [$last]" ;;
esac
finish
