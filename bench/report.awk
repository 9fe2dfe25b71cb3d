# Turns the probe's lines (kind, case, time median/min/max, peak RSS median/min/max, extra) into
# the benchmark's table and checks the budgets; exits 1 when one is missed. The kind is "exit",
# "map" (both cores idle) or "map-busy" (one core held by a busy loop). PROCESSES names the
# prompt gate's rows that the budget reads.
function mib(kib) { return sprintf("%.1f", kib / 1024) }
function ratio(a, b) { return b > 0 ? a / b : 999 }
function budget(what, value, limit, shown) {
  verdict = value <= limit ? "met" : "MISSED"
  if (value > limit) missed++
  printf "| %s | %s | %s | %s |\n", what, shown, limit, verdict
}
function timeBudget(what, a, b, limit) {
  r = ratio(med[a], med[b]); budget(what, r, limit, sprintf("%.2f", r))
}
function rssBudget(what, a, b, limit) {
  r = ratio(rss[a], rss[b]); budget(what, r, limit, sprintf("%.3f", r))
}
{
  k = $1 "|" $2
  kind[k] = $1; name[k] = $2; med[k] = $3; lo[k] = $4; hi[k] = $5
  rss[k] = $6; rsslo[k] = $7; rsshi[k] = $8; extra[k] = $9
  order[++n] = k
}
END {
  print "| Case | Measure | Median ms | Min ms | Max ms | Peak RSS MiB, median (min-max) | Toolkit libraries mapped, or window size |"
  print "| --- | --- | ---: | ---: | ---: | ---: | --- |"
  for (i = 1; i <= n; i++) {
    c = order[i]
    measure = kind[c] == "exit" ? "start to exit" : kind[c] == "map" ? "start to map, idle" : "start to map, one core busy"
    printf "| %s | %s | %.2f | %.2f | %.2f | %s (%s-%s) | %s |\n", name[c], measure, med[c], lo[c],
      hi[c], mib(rss[c]), mib(rsslo[c]), mib(rsshi[c]), extra[c]
  }
  print ""
  print "| Budget | Measured | Limit | |"
  print "| --- | ---: | ---: | --- |"
  s = "exit|talvenor, refused at the switch"
  p = "exit|talvenor, refused at the prompt gate, " processes " processes"
  timeBudget("switch: median / /bin/true's", s, "exit|/bin/true", 2.5)
  budget("switch: peak RSS, largest run (MiB)", rsshi[s] / 1024, 5, mib(rsshi[s]))
  budget("switch: toolkit libraries mapped", extra[s] == "none" ? 0 : 1, 0, extra[s])
  timeBudget("prompt gate: median / sh -c ps's, " processes " processes", p,
             "exit|sh -c ps, " processes " processes", 1.35)
  budget("prompt gate: peak RSS, largest run (MiB)", rsshi[p] / 1024, 5, mib(rsshi[p]))
  budget("prompt gate: toolkit libraries mapped", extra[p] == "none" ? 0 : 1, 0, extra[p])
  b = "map|talvenor, balloon"; bb = "map-busy|talvenor, balloon"
  timeBudget("balloon: time to map / yad's, idle", b, "map|yad", 1.2)
  timeBudget("balloon: time to map / yad's, one core busy", bb, "map-busy|yad", 1.3)
  timeBudget("balloon: time to map / zenity's, idle", b, "map|zenity", 0.6)
  rssBudget("balloon: peak RSS / minimal window's with the sound", b,
            "map|minimal GTK window, with the sound", 1.05)
  # yad plays no sound: its peer is yad and a player of the same sound, together.
  y = rss["map|yad"] + rss["exit|paplay, the balloon's sound"]
  r = ratio(rss[b], y); budget("balloon: peak RSS / yad's plus paplay's", r, 1, sprintf("%.3f", r))
  print ""
  print missed ? missed " budget(s) missed" : "every budget met"
  exit missed ? 1 : 0
}
