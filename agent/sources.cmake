target_sources(talvenor_core PRIVATE
  agent/install_locations.cpp
  agent/kelm_agent.cpp
  agent/prompt_check.cpp
)
