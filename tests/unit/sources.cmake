target_sources(unit_tests PRIVATE
  tests/unit/capture_stderr.cpp
  tests/unit/command_runner_test.cpp
  tests/unit/config_readers_test.cpp
  tests/unit/icns_test.cpp
  tests/unit/install_locations_test.cpp
  tests/unit/log_line_test.cpp
  tests/unit/log_redirect_test.cpp
  tests/unit/log_rotation_test.cpp
  tests/unit/plist_fixtures.cpp
  tests/unit/prompt_check_test.cpp
  tests/unit/property_list_test.cpp
  tests/unit/temp_dir.cpp
  tests/unit/text_test.cpp
)
# Tests that read the program's own resources find them in the source tree.
target_compile_definitions(unit_tests PRIVATE TALVENOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
