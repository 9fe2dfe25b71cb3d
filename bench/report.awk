# Turns the probe's lines (kind, case, time median/min/max, peak RSS median/min/max, extra) into
# the benchmark's table and checks the budgets; exits 1 when one is missed.
function mib(kib) { return sprintf("%.1f", kib / 1024) }
function ratio(a, b) { return b > 0 ? a / b : 999 }
function budget(what, value, limit, shown) {
  verdict = value <= limit ? "met" : "MISSED"
  if (value > limit) missed++
  printf "| %s | %s | %s | %s |\n", what, shown, limit, verdict
}
{
  kind[$2] = $1; med[$2] = $3; lo[$2] = $4; hi[$2] = $5
  rss[$2] = $6; rsslo[$2] = $7; rsshi[$2] = $8; extra[$2] = $9
  order[++n] = $2
}
END {
  print "| Case | Measure | Median ms | Min ms | Max ms | Peak RSS MiB, median (min-max) | Toolkit libraries mapped, or window size |"
  print "| --- | --- | ---: | ---: | ---: | ---: | --- |"
  for (i = 1; i <= n; i++) {
    c = order[i]
    measure = kind[c] == "map" ? "start to map" : "start to exit"
    printf "| %s | %s | %.2f | %.2f | %.2f | %s (%s-%s) | %s |\n", c, measure, med[c], lo[c], hi[c],
      mib(rss[c]), mib(rsslo[c]), mib(rsshi[c]), extra[c]
  }
  print ""
  print "| Budget | Measured | Limit | |"
  print "| --- | ---: | ---: | --- |"
  s = "talvenor, refused at the switch"; p = "talvenor, refused at the prompt gate"
  b = "talvenor, balloon"; m = "minimal gtkmm window"
  r = ratio(med[s], med["/bin/true"]); budget("switch: median / /bin/true's", r, 2.5, sprintf("%.2f", r))
  budget("switch: peak RSS, largest run (MiB)", rsshi[s] / 1024, 5, mib(rsshi[s]))
  budget("switch: toolkit libraries mapped", extra[s] == "none" ? 0 : 1, 0, extra[s])
  r = ratio(med[p], med["sh -c ps"]); budget("prompt gate: median / sh -c ps's", r, 1.35, sprintf("%.2f", r))
  r = ratio(med[b], med["yad"]); budget("balloon: time to map / yad's", r, 1.2, sprintf("%.2f", r))
  r = ratio(med[b], med["zenity"]); budget("balloon: time to map / zenity's", r, 0.6, sprintf("%.2f", r))
  r = ratio(rss[b], rss[m]); budget("balloon: peak RSS / minimal window's", r, 1, sprintf("%.3f", r))
  ms = "minimal gtkmm window, with the sound"
  if (rss[ms] > 0)
    printf "\nFor reference, not a budget: balloon's peak RSS / that of the minimal window with the sound: %.3f\n", ratio(rss[b], rss[ms])
  print ""
  print missed ? missed " budget(s) missed" : "every budget met"
  exit missed ? 1 : 0
}
