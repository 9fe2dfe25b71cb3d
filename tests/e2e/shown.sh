# The balloon shown: its log, its closing 15 seconds later, and its window's properties.
#   shown.sh TALVENOR VARIANT [RESOURCES], VARIANT one of those in tests.cmake
# RESOURCES is the folder where the program's icon is expected; without it, the binary is one
# of the build tree, with its resources beside it.
. "$(dirname "$0")/lib.sh"
export ASAN_OPTIONS=detect_leaks=0  # the toolkit's own allocations outlive the run
variant=$2
resources=${3:-$(cd "$(dirname "$TALVENOR")" && pwd -P)/resources}
install_agent "$VANTREL"
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Firefox
icon_line="Initially setting default image for appIcon :$resources/AppIcon.icns"
sentence="has been successfully updated. You can now use the application."
content="_systemDataPath refers to data folder
Rebrand Changes not available
Printing the ballon text Firefox $sentence"
case $variant in
  encodings)  # the switch in UTF-16 with large integers beside it, the record with CRLF line ends
    write_plist "$VANTREL/data/zelpatch_data.plist" xml "<key>n</key><integer>18446744073709551615</integer>
<key>h</key><integer>0xDEADBEEF</integer><key>ApplicationRunningPrompt</key><true/>"
    sed 's/UTF-8/UTF-16/' "$VANTREL/data/zelpatch_data.plist" | iconv -f UTF-8 -t UTF-16 >"$VANTREL/z"
    mv "$VANTREL/z" "$VANTREL/data/zelpatch_data.plist"
    sed -i 's/$/\r/' "$VANTREL/data/ApplicationRunningPromptData.plist" ;;
  rebranded)
    mkdir -p "$VANTREL/SystemData" "$VANTREL/images"
    write_plist "$VANTREL/SystemData/rebrand.plist" bin \
      "<key>IS_REBRANDED</key><string>TRUE</string><key>PRODUCT_NAME</key><string>Acme</string>"
    printf '%s' "$LOGO_PNG_BASE64" | base64 -d >"$VANTREL/images/rebranded-agent-logo.png"
    content="Using Rebranded AppIcon $VANTREL/images/rebranded-agent-logo.png
Printing the ballon text Firefox $sentence" ;;
  bad-logo | fifo-pictures)
    mkdir -p "$VANTREL/SystemData" "$VANTREL/images"
    write_plist "$VANTREL/SystemData/rebrand.plist" xml "<key>IS_REBRANDED</key><string>TRUE</string>"
    echo "not an image" >"$VANTREL/images/rebranded-agent-logo.png"
    content="Using Rebranded AppIcon $VANTREL/images/rebranded-agent-logo.png
Printing the ballon text Firefox $sentence" ;;&
  no-default-icon | fifo-pictures)
    # A copy of the program whose resources lack the icon.
    copy=$(mktemp -d)
    cp "$TALVENOR" "$(dirname "$TALVENOR")"/libtalvenor-*.so "$copy"
    cp -r "$resources" "$copy/resources"
    rm "$copy/resources/AppIcon.icns"
    TALVENOR=$copy/talvenor
    icon_line="Default AppIcon not available Path not available" ;;&
  fifo-pictures)  # FIFOs where the logo and the icon are: no pictures, and no waiting
    rm "$VANTREL/images/rebranded-agent-logo.png"
    mkfifo "$VANTREL/images/rebranded-agent-logo.png" "$copy/resources/AppIcon.icns"
    icon_line="Initially setting default image for appIcon :$copy/resources/AppIcon.icns" ;;
  stderr-closed) closing='2>&-' ;;  # the display connection must not become standard error
  message)
    write_plist "$VANTREL/data/ApplicationRunningPromptCustomization.plist" xml \
      "<key>successNotificationMessage</key><string>is at 100%d, &quot;patched&quot;.</string>"
    content="_systemDataPath refers to data folder
Rebrand Changes not available
Printing customizationData ApplicationRunningPromptCustomization(successNotificationMessage: Optional(\"is at 100%d, \\\"patched\\\".\"))
Printing the ballon text Firefox is at 100%d, \"patched\"." ;;
  empty)
    write_plist "$VANTREL/data/ApplicationRunningPromptCustomization.plist" bin \
      "<key>successNotificationMessage</key><string></string>"
    content="_systemDataPath refers to data folder
Rebrand Changes not available
Printing customizationData ApplicationRunningPromptCustomization(successNotificationMessage: Optional(\"\"))
Printing the ballon text Firefox " ;;
esac

start_display
# Two cases with a session bus of their own, the others with none. What the run starts carries
# its environment's mark, or that bus's address.
set --
case $variant in message | empty) set -- $(dbus-daemon --session --fork --print-address=1 --print-pid=1) ;; esac
bus=${1:-} bus_pid=${2:-}
before=$(library_fingerprint)
# A direct child of this shell, as the agent's record says.
eval "env -u XDG_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS ${bus:+DBUS_SESSION_BUS_ADDRESS=$bus} TALVENOR_RUN=$$ \"\$TALVENOR\" Firefox ${closing:-} &"
pid=$!
# The placement timer fires a second after the window is built, later on a loaded machine.
for _ in $(seq 100); do
  window=$(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*' | head -n 1)
  [ -n "$window" ] && xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && break
  sleep 0.1
done
if [ -z "$window" ]; then
  fail "no window on screen"
else
  properties=$(xprop -id "$window")
  for expected in "_NET_WM_PID(CARDINAL) = $pid" "_NET_WM_DESKTOP(CARDINAL) = 4294967295" \
    "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_NOTIFICATION"; do
    printf '%s\n' "$properties" | grep -qF "$expected" || fail "window lacks $expected"
  done
  state=$(printf '%s\n' "$properties" | grep '^_NET_WM_STATE(ATOM)')
  for atom in _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR; do
    case $state in *"$atom"*) ;; *) fail "window state lacks $atom: $state" ;; esac
  done
  case $(printf '%s\n' "$properties" | grep '^_NET_WM_ALLOWED_ACTIONS') in
    *_NET_WM_ACTION_MOVE*) fail "the window can be moved" ;;
  esac
  # The icon family's small pictures, for the window manager to choose from, or the rebranded
  # logo; without either, the toolkit's own fallback, which is not the program's to check.
  icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
  case $variant in
    default | message | empty | encodings) expect_eq "window icons" "Icon (16 x 16) Icon (32 x 32) Icon (64 x 64) " "$icons" ;;
    rebranded) expect_eq "window icons" "Icon (48 x 48) " "$icons" ;;
  esac
  # The outer edge 12 pixels from the work area's right and top.
  read -r ax ay aw _ <<<"$(xprop -root -f _NET_WORKAREA 32c _NET_WORKAREA | grep -o '[0-9]\+' | tr '\n' ' ')"
  read -r _ fr ft _ <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | grep -o '[0-9]\+' | tr '\n' ' ') 0 0 0 0"
  geometry=$(xwininfo -id "$window")
  left=$(printf '%s\n' "$geometry" | awk '/Absolute upper-left X/ { print $4 }')
  top=$(printf '%s\n' "$geometry" | awk '/Absolute upper-left Y/ { print $4 }')
  width=$(printf '%s\n' "$geometry" | awk '/Width:/ { print $2 }')
  gaps="$((ax + aw - left - width - fr)) $((top - ft - ay))"
  case $gaps in 1[123]" "1[123]) ;; *) fail "gaps to the work area's right and top: $gaps" ;; esac
fi

status=0
wait "$pid" || status=$?
expect_eq "status" 0 "$status"
expect_eq "processes left by the run" 0 \
  "$(grep -lzF -e "TALVENOR_RUN=$$" ${bus:+-e "$bus"} /proc/[0-9]*/environ 2>/dev/null | wc -l)"
[ -z "$bus" ] || kill "$bus_pid"
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
Log close:Talvenor" "$(log_messages "$VANTREL" | normalise_ids)"
shown_at=$(seconds_at "$VANTREL" "Showing Notification and Playing Sound")
closed_at=$(seconds_at "$VANTREL" "Log close:Talvenor")
awk -v shown="$shown_at" -v closed="$closed_at" 'BEGIN { d = closed - shown; exit !(d >= 14 && d <= 17) }' ||
  fail "closed at $closed_at, shown at $shown_at"
finish
