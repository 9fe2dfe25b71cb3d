# End-to-end cases: the real binary, as root, in a private mount namespace.
set(run_case ${PROJECT_SOURCE_DIR}/tests/e2e/run-case)
foreach(case refusals install_variants no_display refusal_footprint faults concurrency other_user)
  add_test(NAME e2e.${case} COMMAND ${run_case} ${case}.sh $<TARGET_FILE:talvenor>)
endforeach()
# Each shown case lasts the balloon's 15 seconds; they run side by side.
foreach(variant default rebranded message empty bad-logo no-default-icon)
  add_test(NAME e2e.shown.${variant}
           COMMAND ${run_case} shown.sh $<TARGET_FILE:talvenor> ${variant})
  set_tests_properties(e2e.shown.${variant} PROPERTIES TIMEOUT 60)
endforeach()
