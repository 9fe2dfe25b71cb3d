target_sources(unit_tests PRIVATE
  tests/unit/temp_dir.cpp
)
