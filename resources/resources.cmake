# The program finds these beside its executable in the build tree, under share/talvenor once
# installed.
set(TALVENOR_RESOURCES AppIcon.icns Purr.wav balloon.css balloon.ui)
set(copied)
foreach(resource ${TALVENOR_RESOURCES})
  set(source ${PROJECT_SOURCE_DIR}/resources/${resource})
  set(target ${PROJECT_BINARY_DIR}/resources/${resource})
  add_custom_command(OUTPUT ${target} COMMAND ${CMAKE_COMMAND} -E copy ${source} ${target}
                     DEPENDS ${source})
  list(APPEND copied ${target})
  install(FILES ${source} DESTINATION ${CMAKE_INSTALL_DATADIR}/talvenor)
endforeach()
add_custom_target(talvenor-resources ALL DEPENDS ${copied})
