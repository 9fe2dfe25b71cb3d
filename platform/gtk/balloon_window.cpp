#include "platform/gtk/balloon_window.h"

#include "platform/gtk/icon_loading.h"

namespace platform::gtk {
namespace {

constexpr int kIconSize = 64;
constexpr int kScreenMargin = 12;

// The image at the icon's logical size, drawn at the display's scale so it stays crisp.
Cairo::RefPtr<Cairo::Surface> iconSurface(const std::string& path, int scale) {
  try {
    auto pixbuf = loadIcon(path, kIconSize * scale);
    return Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(
        gdk_cairo_surface_create_from_pixbuf(pixbuf->gobj(), scale, nullptr), true));
  } catch (const Glib::Error&) {
    return {};
  }
}

}  // namespace

BalloonWindow::BalloonWindow(const ToolkitSetup& setup, const Glib::RefPtr<Gtk::Builder>& builder)
    : sound_(setup.resourceFolder) {
  builder->get_widget("window", window_);
  builder->get_widget("effect", effectRoot_);
  builder->get_widget("balloonIcon", balloonIcon_);
  builder->get_widget("ballonText", ballonText_);
  // Closed by the user: hidden, never destroyed, and left alone from then on.
  window_->signal_delete_event().connect([this](GdkEventAny*) {
    window_->hide();
    window_ = nullptr;
    return true;
  });

  auto screen = window_->get_screen();
  if (screen->is_composited() && screen->get_rgba_visual()) {
    gtk_widget_set_visual(GTK_WIDGET(window_->gobj()), screen->get_rgba_visual()->gobj());
    window_->get_style_context()->add_class("composited");
  }
  auto accessible = window_->get_accessible();
  atk_object_set_role(accessible->gobj(), ATK_ROLE_NOTIFICATION);
}

void BalloonWindow::setKeepAbove() {
  if (window_ != nullptr) window_->set_keep_above(true);
}

void BalloonWindow::setOnAllWorkspaces() {
  if (window_ != nullptr) window_->stick();
}

void BalloonWindow::setNotMovable() {
  if (window_ == nullptr) return;
  gtk_widget_realize(GTK_WIDGET(window_->gobj()));
  // Every window-manager function but moving.
  window_->get_window()->set_functions(Gdk::FUNC_RESIZE | Gdk::FUNC_MINIMIZE | Gdk::FUNC_MAXIMIZE |
                                       Gdk::FUNC_CLOSE);
}

void BalloonWindow::setAccessoryPolicy() {
  if (window_ == nullptr) return;
  window_->set_skip_taskbar_hint(true);
  window_->set_skip_pager_hint(true);
  window_->set_focus_on_map(false);
  window_->set_accept_focus(false);
}

void BalloonWindow::setApplicationIconImage(const std::string& imagePath) {
  try {
    Gtk::Window::set_default_icon(Gdk::Pixbuf::create_from_file(imagePath));
  } catch (const Glib::Error&) {
    Gtk::Window::set_default_icon_list({});
  }
}

void BalloonWindow::scheduleOnce(unsigned milliseconds, std::function<void()> action) {
  Glib::signal_timeout().connect_once(std::move(action), milliseconds);
}

void BalloonWindow::terminate() {
  gtk_main_quit();
}

int BalloonWindow::run() {
  if (window_ != nullptr) {
    placeAtTopRight();
    window_->show_all();
  }
  gtk_main();
  return 0;
}

void BalloonWindow::placeAtTopRight() {
  auto display = window_->get_display();
  auto monitor = display->get_primary_monitor();
  if (!monitor) monitor = display->get_monitor(0);
  if (!monitor) return;
  Gdk::Rectangle area;
  monitor->get_workarea(area);
  // With north-east gravity the position names the window's top-right corner.
  window_->set_gravity(Gdk::GRAVITY_NORTH_EAST);
  window_->move(area.get_x() + area.get_width() - kScreenMargin, area.get_y() + kScreenMargin);
}

void BalloonWindow::setBalloonIconImage(const std::string& imagePath) {
  auto surface = iconSurface(imagePath, balloonIcon_->get_scale_factor());
  if (surface) {
    balloonIcon_->set(surface);
  } else {
    balloonIcon_->clear();
  }
}

void BalloonWindow::setBallonText(const std::string& text) {
  ballonText_->set_text(text);
  if (window_ != nullptr) atk_object_set_name(window_->get_accessible()->gobj(), text.c_str());
}

std::string BalloonWindow::ballonText() const {
  return ballonText_->get_text();
}

void BalloonWindow::setEffectActive() {
  effectRoot_->get_style_context()->add_class("active");
}

void BalloonWindow::playSound(const std::string& name) {
  sound_.play(name);
}

}  // namespace platform::gtk
