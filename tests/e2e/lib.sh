# Shared by the end-to-end cases: building an agent tree under /Library, acting as the agent,
# running the program and checking what it logged. Sourced with the binary's path as $1.
set -eu
TALVENOR=$1
VANTREL=/Library/Vantrel_Agent
LOGIN=$(id -un)
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_eq() {  # expect_eq WHAT EXPECTED ACTUAL
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
}
finish() {
  [ "$failures" = 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "all checks passed"
}

# install_agent BASE: the service executable that the probe looks for, and the agent's folders.
install_agent() {
  mkdir -p "$1/bin" "$1/data" "$1/logs/UserLogs"
  touch "$1/bin/zelagentservice"
}

# write_plist PATH BODY: an XML property list whose top-level dictionary holds BODY.
write_plist() {
  printf '%s' "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">
<plist version=\"1.0\"><dict>$2</dict></plist>" >"$1"
}

as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
xml_escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }

# agent_prompt_shown BASE APPS: the agent recorded this shell as the parent for each
# of APPS (names separated by blanks), exactly as ps prints it for a child of this shell, blanks
# and line break kept.
agent_prompt_shown() {
  local parent text app entries=
  text=$(mktemp)
  /bin/sh -c '/bin/ps -o ppid= $$' >"$text"  # a direct child of this shell
  parent=$(cat "$text"; echo x)
  parent=${parent%x}
  for app in $2; do
    entries="$entries<key>$(printf '%s' "$app" | xml_escape)</key><string>$parent</string>"
  done
  write_plist "$1/data/ApplicationRunningPromptData.plist" "<key>Brisvane</key><dict>$entries</dict>"
}

switch_on() { write_plist "$1/data/zelpatch_data.plist" "<key>ApplicationRunningPrompt</key><true/>"; }
switch_off() { write_plist "$1/data/zelpatch_data.plist" "<key>ApplicationRunningPrompt</key><false/>"; }

user_log() { echo "$1/logs/UserLogs/Brisvane_${LOGIN}0.log"; }

# log_messages BASE: the messages of the user log, without time stamps and process prefix.
log_messages() { sed -e 's/^[0-9-]* [0-9:.]* [^ ]*\[[0-9]*:[0-9]*\] //' "$(user_log "$1")"; }

# Fingerprint of everything under /Library but the logs.
library_fingerprint() {
  find /Library -path '*/logs' -prune -o -print0 | sort -z | xargs -0 stat -c '%n %s %Y %a %i'
}

# run_talvenor ARGS...: runs the program as a direct child of this shell, sets $status, and
# checks that it wrote nothing under /Library but its log.
run_talvenor() {
  local before
  before=$(library_fingerprint)
  status=0
  "$TALVENOR" "$@" || status=$?
  expect_eq "nothing but the log written" "$before" "$(library_fingerprint)"
}

# start_display [WM-COMMAND...]: a private X server of 1280 x 800 pixels with
# a window manager (openbox unless named; "none" for none). -noreset: the server would otherwise
# reset when its last client leaves, such as a short-lived xprop between polls, and drop the window
# manager while it connects. With $SESSION_BUS, that bus starts its services on the display, as a
# desktop session's does. Both, as all the sourcing script leaves in the background, end with it.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
start_display() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp \
    3>"$fd_file" >/dev/null 2>&1 &
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$fd_file")"
  [ "$DISPLAY" != : ] || { echo "start_display: Xvfb did not start" >&2; exit 1; }
  [ -z "${SESSION_BUS:-}" ] || DBUS_SESSION_BUS_ADDRESS=$SESSION_BUS dbus-update-activation-environment DISPLAY
  [ $# -gt 0 ] || set -- openbox --sm-disable
  [ "$1" = none ] && return
  "$@" >/dev/null 2>&1 &
  for _ in $(seq 600); do  # 10 s proved short on a loaded machine
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    sleep 0.05
  done
  echo "start_display: the window manager $* is not up on $DISPLAY after 30 s" >&2
  exit 1
}

# heard FILE: whether FILE (raw 16-bit mono) holds the 0.6-s sound: 0.5 s above a whisper.
heard() {
  /usr/bin/python3 -c 'import array, os, sys
a = array.array("h", open(sys.argv[1], "rb").read() if os.path.exists(sys.argv[1]) else b"")
sys.exit(sum(abs(x) > 64 for x in a) < 0.5 * 44100)' "$1"
}

# start_pulse: a private sound server whose only sink discards what it plays, recorded from
# its monitor into $heard; the run reaches it through $run_env.
start_pulse() {
  local dir
  dir=$(mktemp -d) heard=$(mktemp)
  HOME=$dir XDG_RUNTIME_DIR=$dir pulseaudio -n --exit-idle-time=-1 --use-pid-file=no 2>/dev/null \
    -L module-null-sink -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" &
  helper_pids=$! run_env="PULSE_SERVER=unix:$dir/native HOME=$dir"
  for _ in $(seq 100); do [ -S "$dir/native" ] && break; sleep 0.05; done
  env $run_env parec --latency-msec=50 --raw --channels=1 -d null.monitor >"$heard" 2>/dev/null &
  helper_pids="$helper_pids $!"
}
