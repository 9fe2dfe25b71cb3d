target_sources(talvenor_core PRIVATE
  logging/kelm_logger.cpp
  logging/log_rotation.cpp
)
