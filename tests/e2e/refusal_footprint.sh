# A run that ends at a gate, at the switch or at the prompt gate, never loads the toolkit nor
# opens a display, and stays small.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL" && agent_prompt_shown "$VANTREL" Thunderbird
# Anything of the toolkit, GLib or X, the display's socket, and the balloons' places.
toolkit="/lib(gtk|gtk-layer-shell|gdk|glib|gobject|gio|gmodule|wayland|X|xcb|cairo|pango|atk|canberra|epoxy|talvenor-gtk)|X11-unix|wayland-|$HOME|$XDG_RUNTIME_DIR"
sanitized=
[ -n "${ASAN_OPTIONS+x}" ] || ldd "$TALVENOR" | grep -q libasan && sanitized=yes

# Each row: the gate, how the switch is set, the line the run ends with.
while read -r gate setting refusal; do
  switch_$setting "$VANTREL"
  rm -f "$(user_log "$VANTREL")" && trace=$(mktemp)
  # The leak checker refuses to run under a tracer.
  ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=openat,connect,mkdir -o "$trace" "$TALVENOR" Firefox
  expect_eq "$gate: last line" "$refusal" "$(log_messages "$VANTREL" | tail -n 1)"
  # The program's own calls: its first line is its own; the gate's sh and ps are other programs.
  own=$(awk 'NR == 1 { pid = $1 } $1 == pid' "$trace")
  case $own in *zelpatch_data.plist*) ;; *) fail "$gate: the trace holds none of the program's reads" ;; esac
  expect_eq "$gate: toolkit files or display touched" "" \
    "$(printf '%s\n' "$own" | grep -E "$toolkit" || true)"

  # Of the program and the children it waited for (at the prompt gate, ps is the largest).
  if [ -z "$sanitized" ]; then
    peak_kib=$(/usr/bin/time -f %M "$TALVENOR" Firefox 2>&1 >/dev/null | tail -n 1)
    [ "$peak_kib" -le 5120 ] || fail "$gate: peak RSS of a refused run: $peak_kib KiB"
  fi
done <<'ROWS'
switch off Not showing Talvenor
prompt on  Talvenor: The Application is not running while patching, hence brisvane not shown
ROWS
finish
