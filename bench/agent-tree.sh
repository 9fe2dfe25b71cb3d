# One group of the benchmark's cases, run by tests/e2e/run-case in a private mount namespace
# with an agent tree under /Library built as the end-to-end cases build it.
#   agent-tree.sh TALVENOR PROBE switch ROUNDS
#   agent-tree.sh TALVENOR PROBE prompt ROUNDS PROCESSES
#   agent-tree.sh TALVENOR PROBE shown ROUNDS PROCESSES SETTLE_MS MINIMAL_WINDOW RESOURCES SENTENCE
#   agent-tree.sh TALVENOR PROBE sound ROUNDS RESOURCES
# PROCESSES is the size of the process table that the prompt gate's ps reads: it reads every
# process it can see, and this namespace would show it only a handful, so idle ones fill it.
# Prints the probe's lines, then checks in the log that every run of the program took the path
# its case names.
. "$(dirname "$0")/../tests/e2e/lib.sh"
probe=$2
group=$3
rounds=$4
install_agent "$VANTREL"

# fill_process_table COUNT: at least COUNT processes in the namespace (counted without a fork,
# so that the count is the table's), and $beside naming the table in the cases' names.
fill_process_table() {
  local table
  count_processes() { local entries=(/proc/[0-9]*); table=${#entries[@]}; }
  count_processes
  for _ in $(seq $(($1 - table))); do sleep infinity & done
  until count_processes && [ "$table" -ge "$1" ]; do sleep 0.1; done
  beside=", alone in its namespace"
  [ "$1" = 0 ] || beside=", $table processes"
}

# expect_every_run MESSAGE: each run the log opened ended with, or reached, MESSAGE.
expect_every_run() {
  local opened reached
  opened=$(log_messages "$VANTREL" | grep -c '^Log Open:Talvenor$')
  reached=$(log_messages "$VANTREL" | grep -cxF "$1")
  [ "$opened" -gt 0 ] || fail "no run of $TALVENOR was logged"
  expect_eq "runs that reached \"$1\"" "$opened" "$reached"
}

case $group in
  switch)
    switch_off "$VANTREL"
    agent_prompt_shown "$VANTREL" Firefox
    "$probe" exits "$rounds" --case /bin/true /bin/true \
      --case "talvenor, refused at the switch" "$TALVENOR" Firefox
    expect_every_run "Not showing Talvenor" ;;
  prompt)
    switch_on "$VANTREL"
    # Recorded by a shell that has since ended, so the parent never matches.
    (agent_prompt_shown "$VANTREL" Firefox)
    fill_process_table "$5"
    "$probe" exits "$rounds" --case "sh -c ps$beside" /bin/sh -c "/bin/ps -o ppid= $$" \
      --case "talvenor, refused at the prompt gate$beside" "$TALVENOR" Firefox
    expect_every_run "Talvenor: The Application is not running while patching, hence brisvane not shown" ;;
  # What a window that plays no sound of its own needs beside it: a player of the same file.
  sound)
    start_pulse
    env $run_env "$probe" exits "$rounds" --case "paplay, the balloon's sound" /usr/bin/paplay \
      "$5/Purr.wav" ;;
  shown)
    switch_on "$VANTREL"
    start_display
    start_pulse  # every sound is played to a server, as on a desktop
    fill_process_table "$5"
    # The subshell records itself, then becomes the probe: the program is its direct child.
    # Beside MINIMAL_WINDOW lies MINIMAL_WINDOW-with-sound, the same window playing the
    # balloon's sound, as the balloon does.
    (
      agent_prompt_shown "$VANTREL" Firefox
      exec env $run_env "$probe" maps "$rounds" "$6" --case "talvenor, balloon" "$TALVENOR" Firefox \
        --case "minimal GTK window" "$7" "$8" "$9" \
        --case "minimal GTK window, with the sound" "$7-with-sound" "$8" "$9" \
        --case yad /usr/bin/yad --undecorated --on-top --sticky --no-buttons --timeout 15 \
        --text "$9" \
        --case zenity /usr/bin/zenity --info --timeout 15 --text "$9"
    )
    expect_every_run "Showing Notification and Playing Sound" ;;
esac
[ "$failures" = 0 ] || exit 1
