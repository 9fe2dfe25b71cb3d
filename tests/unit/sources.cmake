target_sources(unit_tests PRIVATE
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
  tests/unit/text_test.cpp
)
