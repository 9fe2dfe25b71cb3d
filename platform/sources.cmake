target_sources(talvenor_core PRIVATE
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
  platform/xml_plist_check.cpp
)

# The toolkit lives in two modules, loaded only when a balloon is shown, so that a run that ends
# at a gate never maps GTK: the display module (GTK's C libraries) and the balloon module (gtkmm,
# libcanberra), loaded on a second thread while the first connects to the display.
pkg_check_modules(GTK REQUIRED IMPORTED_TARGET gtk+-3.0)
pkg_check_modules(GTKMM REQUIRED IMPORTED_TARGET gtkmm-3.0)
pkg_check_modules(CANBERRA REQUIRED IMPORTED_TARGET libcanberra)
add_library(talvenor-display MODULE
  platform/gtk/display_module.cpp
  platform/gtk/quiet_glib_log.cpp
)
set_target_properties(talvenor-display PROPERTIES PREFIX lib)
target_include_directories(talvenor-display PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(talvenor-display PRIVATE PkgConfig::GTK)

add_library(talvenor-gtk MODULE
  platform/files.cpp
  platform/gtk/balloon_window.cpp
  platform/gtk/event_sound.cpp
  platform/gtk/icon_loading.cpp
  platform/gtk/module.cpp
  platform/icns.cpp
)
set_target_properties(talvenor-gtk PROPERTIES PREFIX lib)
target_include_directories(talvenor-gtk PRIVATE ${PROJECT_SOURCE_DIR})
# The dynamic loader looks each symbol the toolkit's libraries need up library by library: the
# executable's, then the module's dependencies in the order they are listed, then theirs. Listed
# first here are the libraries that define most of what is looked up (largely their own
# symbols), counted with LD_DEBUG=bindings; a lookup then passes 16 libraries on average instead
# of 21. The C++ libraries keep their former order among themselves: they share definitions of
# inline functions, and the first one listed provides them. Linking these only fixes the order
# (the module depended on all of them already, directly or not); LD_DEBUG=bindings shows every
# lookup finding the same definition as before.
set(lookup_order)
foreach(soname libgtkmm-3.0.so.1 libepoxy.so.0 libgtk-3.so.0 libglib-2.0.so.0 libgdkmm-3.0.so.1
               libglibmm-2.4.so.1 libcairomm-1.0.so.1 libstdc++.so.6 libgiomm-2.4.so.1
               libgio-2.0.so.0 libX11.so.6 libgobject-2.0.so.0 libgdk-3.so.0 libpangomm-1.4.so.1
               libatkmm-1.6.so.1 libpango-1.0.so.0 libcairo.so.2 libdbus-1.so.3)
  # A library this system names otherwise is left out: the order then matters less, nothing else.
  unset(lookup_library)
  find_library(lookup_library NAMES ${soname} NO_CACHE)
  if(lookup_library)
    list(APPEND lookup_order ${lookup_library})
  endif()
endforeach()
target_link_libraries(talvenor-gtk PRIVATE "-Wl,--push-state,--no-as-needed" ${lookup_order}
                      "-Wl,--pop-state" PkgConfig::GTKMM PkgConfig::CANBERRA)
# The program looks for them under <prefix>/lib/talvenor; GNUInstallDirs would make that the
# multiarch folder on Debian with the prefix /usr.
install(TARGETS talvenor-display talvenor-gtk LIBRARY DESTINATION lib/talvenor)
