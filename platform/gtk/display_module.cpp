// The first of the two toolkit modules: GTK's C libraries only. It connects to the display and
// has GTK parse its theme while the second module, the C++ bindings and the balloon, is still
// being loaded on another thread.
#include <gtk/gtk.h>

#include <cstdlib>

#include "platform/gtk/quiet_glib_log.h"
#include "platform/toolkit.h"

namespace {

std::string displayName() {
  const char* name = std::getenv("DISPLAY");
  return name != nullptr ? name : "(DISPLAY not set)";
}

}  // namespace

extern "C" void talvenor_open_display(const platform::ToolkitSetup* setup, std::string* failure) {
  platform::gtk::routeToolkitDiagnostics(setup->logLine);
  // The window settings the balloon relies on exist only under X11.
  gdk_set_allowed_backends("x11,*");
  // Nothing parsed or logged may depend on the locale.
  gtk_disable_setlocale();
  if (!gtk_init_check(nullptr, nullptr)) {
    *failure = "Cannot open display " + displayName() + ": balloon not shown";
    return;
  }
  // Pango reads the font configuration on a thread of its own, started when the font map is
  // first asked for; asked for now, it reads while GTK parses its theme.
  pango_cairo_font_map_get_default();
}

extern "C" void talvenor_load_theme() {
  // The screen's settings load the theme's style sheet, the largest part of the toolkit's start.
  gtk_settings_get_for_screen(gdk_screen_get_default());
}
