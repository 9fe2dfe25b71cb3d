# A run that ends at a gate never loads the toolkit nor opens a display, and stays small.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL"
switch_on "$VANTREL"
agent_prompt_shown "$VANTREL" Thunderbird

trace=$(mktemp)
# The leak checker refuses to run under a tracer.
ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=openat,connect -o "$trace" "$TALVENOR" Firefox
opened=$(grep -E 'libgtk|libgdk|libgtkmm|libtalvenor-gtk|X11-unix|libcanberra' "$trace" || true)
expect_eq "toolkit files touched by a refused run" "" "$opened"

if [ -z "${ASAN_OPTIONS+x}" ] && ! ldd "$TALVENOR" | grep -q libasan; then
  peak_kib=$(/usr/bin/time -f %M "$TALVENOR" Firefox 2>&1 >/dev/null | tail -n 1)
  [ "$peak_kib" -le 5120 ] || fail "peak RSS of a refused run: $peak_kib KiB"
fi
finish
