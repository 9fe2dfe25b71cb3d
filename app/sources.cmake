target_sources(talvenor_core PRIVATE
  app/application_main.cpp
  app/window_controller.cpp
)
