# The balloon shown: its log, its closing 15 seconds later, and its window's properties.
#   shown.sh TALVENOR VARIANT [RESOURCES], VARIANT one of those in CMakeLists.txt
# RESOURCES is the folder where the program's icon is expected; without it, the binary is one
# of the build tree, with its resources beside it.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0  # the toolkit's own allocations outlive the run
variant=$2
resources=${3:-$(cd "$(dirname "$TALVENOR")" && pwd -P)/resources}
install_agent "$VANTREL" && switch_on "$VANTREL" && agent_prompt_shown "$VANTREL" Firefox
icon_line="Initially setting default image for appIcon :$resources/AppIcon.icns"
sentence="has been successfully updated. You can now use the application."
content="_systemDataPath refers to data folder
Rebrand Changes not available
Printing the ballon text Firefox $sentence"
# The icon family's small pictures, for the window manager to choose from.
icons="Icon (16 x 16) Icon (32 x 32) Icon (64 x 64)"
case $variant in
  encodings)  # the switch in UTF-16 with large integers beside it, the record with CRLF line ends
    write_plist "$VANTREL/data/zelpatch_data.plist" "<key>n</key><integer>18446744073709551615</integer>
<key>h</key><integer>0xDEADBEEF</integer><key>ApplicationRunningPrompt</key><true/>"
    sed 's/UTF-8/UTF-16/' "$VANTREL/data/zelpatch_data.plist" | iconv -f UTF-8 -t UTF-16 >"$VANTREL/z"
    mv "$VANTREL/z" "$VANTREL/data/zelpatch_data.plist"
    sed -i 's/$/\r/' "$VANTREL/data/ApplicationRunningPromptData.plist" ;;
  stderr-closed | fifo-pictures)  # rebranded, with a logo that is no picture: the toolkit's own icon
    icons= && mkdir -p "$VANTREL/SystemData" "$VANTREL/images"
    write_plist "$VANTREL/SystemData/rebrand.plist" "<key>IS_REBRANDED</key><string>TRUE</string>"
    echo "not an image" >"$VANTREL/images/rebranded-agent-logo.png"
    content="Using Rebranded AppIcon $VANTREL/images/rebranded-agent-logo.png
Printing the ballon text Firefox $sentence" ;;&
  stderr-closed) closing='2>&-' ;;  # the display connection must not become standard error
  fifo-pictures)  # FIFOs where the logo and the icon are: no pictures, and no waiting
    copy=$(mktemp -d)  # a copy of the program, its resources beside it
    cp "$TALVENOR" "$(dirname "$TALVENOR")"/libtalvenor-*.so "$copy"
    cp -r "$resources" "$copy/resources" && rm "$copy/resources/AppIcon.icns" "$VANTREL/images/rebranded-agent-logo.png"
    mkfifo "$VANTREL/images/rebranded-agent-logo.png" "$copy/resources/AppIcon.icns"
    TALVENOR=$copy/talvenor
    icon_line="Initially setting default image for appIcon :$copy/resources/AppIcon.icns" ;;
  message)
    write_plist "$VANTREL/data/ApplicationRunningPromptCustomization.plist" \
      "<key>successNotificationMessage</key><string>is at 100%d, &quot;patched&quot;.</string>"
    content="_systemDataPath refers to data folder
Rebrand Changes not available
Printing customizationData ApplicationRunningPromptCustomization(successNotificationMessage: Optional(\"is at 100%d, \\\"patched\\\".\"))
Printing the ballon text Firefox is at 100%d, \"patched\"." ;;
esac

start_display
# The sound, heard: through a sound server, and through plain ALSA (here a file) when the
# server's driver is installed but no server runs.
case $variant in
  default) start_pulse ;;
  encodings) run_env="HOME=$(mktemp -d)" heard=$(mktemp)
    echo "pcm.!default { type file slave.pcm null file \"$heard\" format raw }" >"${run_env#HOME=}/.asoundrc" ;;
esac
# Two cases with a session bus of their own, one of them without an accessibility bus, the others
# with none. What the run starts carries its environment's mark, or that bus's address.
bus=
case $variant in message | fifo-pictures) bus=$(dbus-daemon --session --fork --print-address=1) ;; esac
# A screen reader's view: the accessibility bus on the session bus, and a listener on it.
if [ "$variant" = message ]; then
  # In a process group of its own, so that its bus and registry end with it.
  DBUS_SESSION_BUS_ADDRESS=$bus setsid /usr/libexec/at-spi-bus-launcher --launch-immediately &
  helper_pids="-$!"
  heard_by_reader=$(mktemp)
  DBUS_SESSION_BUS_ADDRESS=$bus /usr/bin/python3 -c 'import pyatspi
from gi.repository import GLib
def on(e):
    icon = pyatspi.findDescendant(e.source, lambda a: a.getRoleName() == "icon").name
    print(e.type, e.source.getRoleName(), e.source.name, icon, sep="|", flush=True)
pyatspi.Registry.registerEventListener(on, "window:create", "object:state-changed:showing")
print("ready", flush=True)
GLib.timeout_add(8000, pyatspi.Registry.stop)
pyatspi.Registry.start()' >"$heard_by_reader" &
  reader_pid=$!
  for _ in $(seq 100); do grep -q ready "$heard_by_reader" && break; sleep 0.1; done
fi
before=$(library_fingerprint)
# A direct child of this shell, as the agent's record says.
eval "env -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS ${bus:+DBUS_SESSION_BUS_ADDRESS=$bus} ${run_env:-} TALVENOR_RUN=$$ \"\$TALVENOR\" Firefox ${closing:-} &"
pid=$!
# On a loaded machine the window, and what the window manager sets on it, may come late: up to
# 10 s. Its place, layer, workspaces and moves are the desktops matrix's to check.
expected=$(echo _NET_WM_WINDOW_TYPE_NOTIFICATION _NET_WM_STATE_SKIP_TASKBAR $icons)
for _ in $(seq 100); do
  window=$(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*' | head -n 1)
  seen=$([ -z "$window" ] || xprop -id "$window" _NET_WM_WINDOW_TYPE _NET_WM_STATE ${icons:+_NET_WM_ICON} 2>/dev/null |
    grep -o '_NET_WM_WINDOW_TYPE_NOTIFICATION\|_NET_WM_STATE_SKIP_TASKBAR\|Icon ([0-9]* x [0-9]*)' | xargs)
  [ "$seen" = "$expected" ] && break
  sleep 0.1
done
expect_eq "the window's type, state and icons" "$expected" "$seen"

status=0
wait "$pid" || status=$?
expect_eq "status" 0 "$status"
[ -z "${reader_pid:-}" ] || wait "$reader_pid"
[ -z "${helper_pids:-}" ] || { kill -- $helper_pids; sleep 0.5; }
[ -z "${heard:-}" ] || heard "$heard" || fail "the sound was not heard"
if [ -n "${reader_pid:-}" ]; then
  for event in window:create object:state-changed:showing; do
    grep -qxF "$event|notification|Firefox is at 100%d, \"patched\".|Talvenor" "$heard_by_reader" ||
      fail "a screen reader heard no $event of the balloon: $(cat "$heard_by_reader")"
  done
fi
expect_eq "processes left by the run" 0 \
  "$(grep -lzF -e "TALVENOR_RUN=$$" ${bus:+-e "$bus"} /proc/[0-9]*/environ 2>/dev/null | wc -l)"
expect_eq "nothing but the log written" "$before" "$(library_fingerprint)"
expect_eq "log" "Log Open:Talvenor
Given App Name Optional(\"Firefox\")
Inside checkIfApplicationRunningPromptEnabled
checkIfApplicationRunningPromptEnabled : Showing Talvenor
child process ID - : parent process id -
current and previousParentPid are same -> true :-
$icon_line
$content
Showing Notification and Playing Sound
Log close:Talvenor" "$(log_messages "$VANTREL" | sed -E 's/^(child process ID) [0-9]+ (: parent process id) *[0-9]+$/\1 - \2 -/
  s/^(current and .*:) *[0-9]+$/\1-/')"
# Times of day: a run that spans midnight closes a day's seconds earlier.
awk '{ split($2, t, ":"); at = t[1] * 3600 + t[2] * 60 + t[3] } /] Showing Notification/ { shown = at }
  /] Log close:/ { d = (at - shown + 86400) % 86400 } END { exit !(d >= 14 && d <= 17) }' "$(user_log "$VANTREL")" ||
  fail "not closed 15 s after it was shown"
finish
