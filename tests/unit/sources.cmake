target_sources(unit_tests PRIVATE
  tests/unit/command_runner_test.cpp
  tests/unit/config_readers_test.cpp
  tests/unit/icns_test.cpp
  tests/unit/log_test.cpp
  tests/unit/prompt_check_test.cpp
  tests/unit/property_list_test.cpp
)
