# Both gates say yes but no display can be opened: one line names it, and the run fails.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0  # the toolkit's own allocations outlive the run
install_agent "$VANTREL"
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox

DISPLAY=:97 WAYLAND_DISPLAY= run_talvenor Firefox
expect_eq "status" 2 "$status"
expect_eq "last line" "Cannot open display :97: balloon not shown" "$(log_messages "$VANTREL" | tail -n 1)"

rm "$(user_log "$VANTREL")"
unset DISPLAY WAYLAND_DISPLAY
run_talvenor Firefox
expect_eq "status without DISPLAY" 2 "$status"
expect_eq "lines" "current and previousParentPid are same -> true :-
Cannot open display (DISPLAY not set): balloon not shown" "$(log_messages "$VANTREL" | normalise_ids | tail -n 2)"
finish
