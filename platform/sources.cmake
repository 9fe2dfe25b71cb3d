target_sources(talvenor_core PRIVATE
  platform/balloon_stack.cpp
  platform/binary_plist_check.cpp
  platform/files.cpp
  platform/icns.cpp
  platform/log_line.cpp
  platform/log_redirect.cpp
  platform/process.cpp
  platform/property_list.cpp
  platform/property_value.cpp
  platform/resources.cpp
  platform/text.cpp
  platform/toolkit_loader.cpp
  platform/user.cpp
  platform/xml_encoding.cpp
  platform/xml_plist_check.cpp
)

# The toolkit lives in a module of its own, loaded only when a balloon is shown, so that a run
# that ends at a gate never maps GTK. It carries its own C++ runtime, like the program, and
# exports nothing but its entry point: only C types cross between the two.
pkg_check_modules(GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(CANBERRA REQUIRED IMPORTED_TARGET libcanberra)
pkg_check_modules(LAYER_SHELL REQUIRED IMPORTED_TARGET gtk-layer-shell-0 wayland-client)
add_library(talvenor-gtk MODULE
  platform/balloon_stack.cpp
  platform/files.cpp
  platform/gtk/balloon_window.cpp
  platform/gtk/event_sound.cpp
  platform/gtk/icon_loading.cpp
  platform/gtk/late_announcement.cpp
  platform/gtk/module.cpp
  platform/gtk/quiet_glib_log.cpp
  platform/gtk/session_folder.cpp
  platform/gtk/stack_place.cpp
  platform/icns.cpp
)
set_target_properties(talvenor-gtk PROPERTIES PREFIX lib CXX_VISIBILITY_PRESET hidden
                                              VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(talvenor-gtk PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(talvenor-gtk PRIVATE PkgConfig::GTK PkgConfig::CANBERRA PkgConfig::LAYER_SHELL)
target_link_options(talvenor-gtk PRIVATE -static-libstdc++ -static-libgcc -Wl,--exclude-libs,ALL
                    -Wl,--no-undefined)
# The program looks for it under <prefix>/lib/talvenor; GNUInstallDirs would make that the
# multiarch folder on Debian with the prefix /usr.
install(TARGETS talvenor-gtk LIBRARY DESTINATION lib/talvenor)
