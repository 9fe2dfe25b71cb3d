# Each install variant, proven by where the log appears; an earlier variant wins.
#   install_variants.sh TALVENOR [MODULE]
# With MODULE, the path where the installation's toolkit module is missing, a run whose gates
# say yes ends with status 2 after a line naming it, before any display is looked for.
. "$(dirname "$0")/lib.sh"
halvorn=/Library/Halvorn/Vantrel_Agent
expect_log_under() {  # expect_log_under BASE: the run logged there and nowhere else
  expect_eq "log under $1" "$(user_log "$1")" "$(find /Library -name 'Brisvane_*.log')"
  find /Library -name 'Brisvane_*.log' -delete
}

mkdir -p $VANTREL/logs/UserLogs && run_talvenor && expect_log_under $VANTREL
for base in /Library/Ferrowind_Agent /Library/Brightmoor_Agent $halvorn; do
  install_agent "$base" && run_talvenor && expect_eq "status" 1 "$status" && expect_log_under "$base"
done
# A folder of an earlier variant without its service file is not an installation.
rm "$halvorn/bin/zelagentservice" /Library/Brightmoor_Agent/bin/zelagentservice
run_talvenor && expect_log_under /Library/Ferrowind_Agent
# No user-logs folder: the run goes on unlogged, and nothing creates the folder.
rm -r /Library/Ferrowind_Agent/logs && run_talvenor
expect_eq "status without a log folder" 1 "$status"
[ ! -e /Library/Ferrowind_Agent/logs ] || fail "the log folder was created"

if [ $# -gt 1 ]; then
  rm -r /Library/* && install_agent "$VANTREL" && switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" Firefox
  run_talvenor Firefox && last=$(log_messages "$VANTREL" | tail -n 1)
  case "$status $last" in "2 Cannot load the toolkit: $2:"*) ;; *) fail "without the module $2: $status $last" ;; esac
fi
finish
