# A user other than root, in a world-writable sticky user-logs folder: its own log, carrying
# its own login name, and another user's files left as they were.
. "$(dirname "$0")/lib.sh"
install_agent "$VANTREL" && switch_off "$VANTREL"
logs=$VANTREL/logs/UserLogs && chmod 1777 "$logs"

# Root's log is over the threshold; nobody's chain must not touch it.
yes padding | head -c 2097153 >"$logs/Brisvane_root0.log"
echo "root 1" >"$logs/Brisvane_root1.log"
before=$(stat -c '%n %s %Y' "$logs"/Brisvane_root*)
as_nobody "$TALVENOR" Firefox
expect_eq "root's files untouched" "$before" "$(stat -c '%n %s %Y' "$logs"/Brisvane_root*)"
expect_eq "nobody's log owner" "nobody" "$(stat -c %U "$logs/Brisvane_nobody0.log")"
expect_eq "nobody's last line" "Not showing Talvenor" \
  "$(sed 's/^[^]]*\] //' "$logs/Brisvane_nobody0.log" | tail -n 1)"

# A link planted by another user in nobody's chain: not nobody's to move in a sticky folder,
# so nothing rotates, and the file behind it is never written.
yes padding | head -c 2097153 >>"$logs/Brisvane_nobody0.log"
ln -s "$logs/Brisvane_root1.log" "$logs/Brisvane_nobody1.log"
as_nobody "$TALVENOR" Firefox
expect_eq "root's file behind the link" "root 1" "$(cat "$logs/Brisvane_root1.log")"
expect_eq "the link stays" "$logs/Brisvane_root1.log" "$(readlink "$logs/Brisvane_nobody1.log")"
expect_eq "nobody's log kept growing" "Not showing Talvenor" \
  "$(sed 's/^[^]]*\] //' "$logs/Brisvane_nobody0.log" | tail -n 1)"

# Planted at root's current name: a second name of a file elsewhere, or nobody's 2 MiB file.
# Neither is appended to nor rotated; root runs on unlogged. A log it creates is mode 644.
rm "$logs"/Brisvane_root* && echo keep >/Library/elsewhere && current=$logs/Brisvane_root0.log
for planted in "ln /Library/elsewhere $current" "as_nobody sh -c 'yes | head -c 2097153 >$current'"; do
  eval "$planted" && before=$(stat -c '%n %i %s' "$logs"/Brisvane_root* /Library/elsewhere)
  "$TALVENOR" Firefox >/dev/null 2>&1
  expect_eq "$planted" "$before" "$(stat -c '%n %i %s' "$logs"/Brisvane_root* /Library/elsewhere)"
  rm "$current"
done
(umask 0 && "$TALVENOR" Firefox) && expect_eq "mode under umask 0" 644 "$(stat -c %a "$current")"
finish
