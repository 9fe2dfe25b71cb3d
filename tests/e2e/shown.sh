# The balloon shown: its log, its closing 15 seconds later, and its window's properties.
#   shown.sh TALVENOR default|rebranded|message|empty|bad-logo|no-default-icon [RESOURCES]
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
  rebranded)
    mkdir -p "$VANTREL/SystemData" "$VANTREL/images"
    write_plist "$VANTREL/SystemData/rebrand.plist" bin \
      "<key>IS_REBRANDED</key><string>TRUE</string><key>PRODUCT_NAME</key><string>Acme</string>"
    printf '%s' "$LOGO_PNG_BASE64" | base64 -d >"$VANTREL/images/rebranded-agent-logo.png"
    content="Using Rebranded AppIcon $VANTREL/images/rebranded-agent-logo.png
Printing the ballon text Firefox $sentence" ;;
  bad-logo)
    mkdir -p "$VANTREL/SystemData" "$VANTREL/images"
    write_plist "$VANTREL/SystemData/rebrand.plist" xml "<key>IS_REBRANDED</key><string>TRUE</string>"
    echo "not an image" >"$VANTREL/images/rebranded-agent-logo.png"
    content="Using Rebranded AppIcon $VANTREL/images/rebranded-agent-logo.png
Printing the ballon text Firefox $sentence" ;;
  no-default-icon)
    # A copy of the program whose resources lack the icon, in the case's own tmpfs, which
    # goes with it.
    copy=/Library/talvenor-copy
    mkdir "$copy"
    cp "$TALVENOR" "$(dirname "$TALVENOR")"/libtalvenor-*.so "$copy"
    cp -r "$resources" "$copy/resources"
    rm "$copy/resources/AppIcon.icns"
    TALVENOR=$copy/talvenor
    icon_line="Default AppIcon not available Path not available" ;;
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
before=$(library_fingerprint)
"$TALVENOR" Firefox &  # a direct child of this shell, as the agent's record says
pid=$!
sleep 2.5
# On a loaded machine the window, and what the window manager sets on it, may come later: up to
# 10 s more, then the checks below name what is missing.
for _ in $(seq 40); do
  window=$(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*' | head -n 1)
  properties=$([ -z "$window" ] || xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP 2>/dev/null || true)
  case $properties in *_NET_WM_STATE_ABOVE*"= 4294967295"*) break ;; esac
  sleep 0.25
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
    default | message | empty) expect_eq "window icons" "Icon (16 x 16) Icon (32 x 32) Icon (64 x 64) " "$icons" ;;
    rebranded) expect_eq "window icons" "Icon (48 x 48) " "$icons" ;;
  esac
  geometry=$(xwininfo -id "$window")
  left=$(printf '%s\n' "$geometry" | awk '/Absolute upper-left X/ { print $4 }')
  top=$(printf '%s\n' "$geometry" | awk '/Absolute upper-left Y/ { print $4 }')
  width=$(printf '%s\n' "$geometry" | awk '/Width:/ { print $2 }')
  right_gap=$((1280 - left - width))
  [ "$right_gap" -ge 0 ] && [ "$right_gap" -le 40 ] || fail "not at the right edge: gap $right_gap"
  [ "$top" -ge 0 ] && [ "$top" -le 40 ] || fail "not at the top: y $top"
fi

status=0
wait "$pid" || status=$?
expect_eq "status" 0 "$status"
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
