#include "platform/gtk/balloon_window.h"
#include "platform/gtk/icon_loading.h"

namespace {

using platform::ToolkitOpening;
using platform::ToolkitSetup;

// The largest window icon handed to the window manager, which draws one no larger than a
// switcher's tile. Given the whole file, gdk-pixbuf decoded the family's 512-pixel picture, too
// large for the EWMH icon property: GDK sent it only as a legacy 1 MiB pixmap, converted and
// uploaded before the window could be mapped, where the window manager read it back.
constexpr int kWindowIconPixels = 64;

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
  // The display module has connected to the display already.
  auto* opening = new ToolkitOpening;
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
