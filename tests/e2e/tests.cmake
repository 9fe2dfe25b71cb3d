# End-to-end cases: the real binary, as root, in a private mount namespace.
set(run_case ${PROJECT_SOURCE_DIR}/tests/e2e/run-case)
foreach(case refusals install_variants no_display refusal_footprint faults concurrency other_user
             stacked)
  add_test(NAME e2e.${case} COMMAND ${run_case} ${case}.sh $<TARGET_FILE:talvenor>)
endforeach()
# Each shown case lasts the balloon's 15 seconds; they run side by side.
foreach(variant default rebranded message empty bad-logo no-default-icon encodings stderr-closed
                fifo-pictures long long-scaled)
  add_test(NAME e2e.shown.${variant}
           COMMAND ${run_case} shown.sh $<TARGET_FILE:talvenor> ${variant})
  set_tests_properties(e2e.shown.${variant} PROPERTIES TIMEOUT 60)
endforeach()

# The installed program: a fresh prefix of this build, then the Debian package, which comes
# from a Release build of its own whatever this build's configuration, so it is checked once.
add_test(NAME install.prefix
         COMMAND ${PROJECT_SOURCE_DIR}/tests/install/check-installed-tree ${PROJECT_BINARY_DIR})
set_tests_properties(install.prefix PROPERTIES TIMEOUT 90)
if(NOT TALVENOR_SANITIZE)
  add_test(NAME install.package COMMAND ${PROJECT_SOURCE_DIR}/tests/install/check-package)
  set_tests_properties(install.package PROPERTIES TIMEOUT 400 SKIP_RETURN_CODE 77)
endif()
add_test(NAME docs.manual_page
         COMMAND sh -c "warnings=$(groff -ww -man -z \"$0\" 2>&1); echo \"$warnings\"; [ -z \"$warnings\" ]"
                 ${PROJECT_SOURCE_DIR}/docs/talvenor.1)
# The balloon on each desktop of the table in desktops.sh, side by side, each on a display of its
# own; kwin_x11 alone takes half a minute, slow to claim the display under Xvfb. Under the
# sanitizers, only the two paths of the placement code: no window manager, and layer-shell.
set(desktops openbox xfwm4 metacity mutter kwin icewm fluxbox i3 none recipe sway)
if(TALVENOR_SANITIZE)
  set(desktops none sway)
endif()
foreach(desktop ${desktops})
  add_test(NAME e2e.desktops.${desktop}
           COMMAND ${run_case} desktops.sh $<TARGET_FILE:talvenor> ${desktop})
  set_tests_properties(e2e.desktops.${desktop} PROPERTIES TIMEOUT 90)
endforeach()
