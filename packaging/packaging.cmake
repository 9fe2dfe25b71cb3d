# What an installation carries besides the program (manual page, licence, README), and the
# Debian package that CPack makes of it.
set(TALVENOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/talvenor)

# Debian keeps manual pages and changelogs compressed; -n leaves the time stamp out, so that
# two builds of one source give the same files.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
function(talvenor_gzip source target)
  add_custom_command(OUTPUT ${target}
                     COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${source} > ${target}
                     DEPENDS ${source} VERBATIM)
endfunction()
talvenor_gzip(${PROJECT_SOURCE_DIR}/docs/talvenor.1 ${PROJECT_BINARY_DIR}/talvenor.1.gz)
talvenor_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog
              ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(talvenor-docs ALL
                  DEPENDS ${PROJECT_BINARY_DIR}/talvenor.1.gz
                          ${PROJECT_BINARY_DIR}/changelog.Debian.gz)

install(FILES ${PROJECT_BINARY_DIR}/talvenor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The copyright file carries the licence in the form Debian reads; a second copy of it would
# only be flagged as redundant.
install(FILES README.md packaging/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${TALVENOR_DOC_DIR})

# The package's revision must be the one at the top of its changelog.
set(TALVENOR_DEBIAN_REVISION 1)
file(STRINGS packaging/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^talvenor \\(${PROJECT_VERSION}-${TALVENOR_DEBIAN_REVISION}\\) ")
  message(FATAL_ERROR "packaging/changelog does not begin with version "
                      "${PROJECT_VERSION}-${TALVENOR_DEBIAN_REVISION}: ${changelog_top}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvenor)
set(CPACK_PACKAGE_VENDOR "The Talvenor developers")
set(CPACK_PACKAGE_CONTACT "The Talvenor developers <dev@talvenor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tells the user that an agent has updated an application")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
An endpoint-management agent starts talvenor after it has patched an
application. When the agent's switch is on and the agent showed its
application-running prompt for this run, talvenor shows a small floating
balloon at the top right of the screen with the application's name and a
sentence, plays a soft sound and closes itself 15 seconds later; otherwise it
ends at once without showing anything. Every decision is written to a
per-user log in the agent's folder, rotated by size.]=])
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TALVENOR_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps reads the libraries of the program and of its toolkit module; the process
# tool that the prompt check runs is no library, so it is named by hand. The shell is not:
# dash is essential on Debian, and naming it would only be rejected as redundant.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS procps)
# The sound library alone speaks only to ALSA; its pulse driver reaches the desktop's sound
# server, PulseAudio or PipeWire's pulse service, where mixers list it among system sounds.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libcanberra-pulse)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
