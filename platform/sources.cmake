target_sources(talvenor_core PRIVATE
  platform/files.cpp
  platform/log_line.cpp
  platform/log_redirect.cpp
  platform/process.cpp
  platform/text.cpp
  platform/user.cpp
)
