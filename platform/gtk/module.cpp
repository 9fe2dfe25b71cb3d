#include <cstdlib>

#include "platform/gtk/balloon_window.h"
#include "platform/gtk/icon_loading.h"
#include "platform/gtk/quiet_glib_log.h"

namespace {

using platform::ToolkitOpening;
using platform::ToolkitSetup;

// The largest window icon handed to the window manager, which draws one no larger than a
// switcher's tile. Given the whole file, gdk-pixbuf decoded the family's 512-pixel picture, too
// large for the EWMH icon property: GDK sent it only as a legacy 1 MiB pixmap, converted and
// uploaded before the window could be mapped, where the window manager read it back.
constexpr int kWindowIconPixels = 64;

std::string displayName() {
  const char* name = std::getenv("DISPLAY");
  return name != nullptr ? name : "(DISPLAY not set)";
}

std::unique_ptr<platform::Toolkit> buildBalloon(const ToolkitSetup& setup) {
  auto style = Gtk::CssProvider::create();
  style->load_from_path(setup.resourceFolder + "/balloon.css");
  Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), style,
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  auto builder = Gtk::Builder::create_from_file(setup.resourceFolder + "/balloon.ui");
  for (const char* id : {"window", "effect", "balloonIcon", "ballonText"}) {
    if (!builder->get_object(id))
      throw std::runtime_error(std::string("the interface has no \"") + id + "\"");
  }
  try {
    Gtk::Window::set_default_icon_list(
        platform::gtk::loadWindowIcons(setup.resourceFolder + "/AppIcon.icns", kWindowIconPixels));
  } catch (const Glib::Error&) {
    // The windows then carry no icon of their own; nothing else depends on it.
  }
  return std::make_unique<platform::gtk::BalloonWindow>(setup, builder);
}

}  // namespace

extern "C" ToolkitOpening* talvenor_open_toolkit(const ToolkitSetup* setup) {
  auto* opening = new ToolkitOpening;
  platform::gtk::routeToolkitDiagnostics(setup->logLine);
  // The window settings the balloon relies on exist only under X11.
  gdk_set_allowed_backends("x11,*");
  // Nothing parsed or logged may depend on the locale.
  gtk_disable_setlocale();
  if (!gtk_init_check(nullptr, nullptr)) {
    opening->failure = "Cannot open display " + displayName() + ": balloon not shown";
    return opening;
  }
  // Pango reads the font configuration on a thread of its own, started when the font map is
  // first asked for. Left to the first measurement of the text, the window waited for it; asked
  // for now, it reads while this thread parses the theme's style sheet.
  pango_cairo_font_map_get_default();
  Gtk::Main::init_gtkmm_internals();
  try {
    opening->toolkit = buildBalloon(*setup);
  } catch (const Glib::Error& error) {
    opening->failure = "Cannot build the balloon: " + error.what();
  } catch (const std::exception& error) {
    opening->failure = std::string("Cannot build the balloon: ") + error.what();
  }
  return opening;
}
