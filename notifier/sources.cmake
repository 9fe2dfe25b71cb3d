target_sources(talvenor_core PRIVATE
  notifier/view_controller.cpp
)
