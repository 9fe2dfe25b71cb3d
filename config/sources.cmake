target_sources(talvenor_core PRIVATE
  config/customization.cpp
  config/optional_text.cpp
  config/patch_data_switch.cpp
  config/rebrand.cpp
  config/record_decoding.cpp
  config/record_reader.cpp
)
