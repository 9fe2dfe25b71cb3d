#include "platform/gtk/balloon_window.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell/gtk-layer-shell.h>

#include "platform/gtk/icon_loading.h"

namespace platform::gtk {
namespace {

constexpr int kIconSize = 64;
constexpr int kScreenMargin = 12;
constexpr int kMaxPlacements = 4;  // per window width

// The primary monitor, or the first when none is primary (Wayland names none).
GdkMonitor* primaryMonitor(GdkDisplay* display) {
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  return monitor != nullptr ? monitor : gdk_display_get_monitor(display, 0);
}

bool primaryWorkArea(GdkDisplay* display, GdkRectangle& area) {
  GdkMonitor* monitor = primaryMonitor(display);
  if (monitor == nullptr) return false;
  gdk_monitor_get_workarea(monitor, &area);
  return true;
}

// The image at the icon's logical size, drawn at the display's scale so it stays crisp.
Surface iconSurface(const char* path, int scale) {
  const ObjectRef<GdkPixbuf> pixbuf = loadIcon(path, kIconSize * scale);
  if (!pixbuf) return nullptr;
  return Surface(gdk_cairo_surface_create_from_pixbuf(pixbuf.get(), scale, nullptr));
}

template <typename T>
T* builderObject(GtkBuilder* builder, const char* id) {
  return reinterpret_cast<T*>(gtk_builder_get_object(builder, id));
}

}  // namespace

BalloonWindow::BalloonWindow(const std::string& resourceFolder, ObjectRef<GtkBuilder> builder)
    : builder_(std::move(builder)),
      window_(builderObject<GtkWindow>(builder_.get(), "window")),
      effectRoot_(builderObject<GtkWidget>(builder_.get(), "effect")),
      balloonIcon_(builderObject<GtkImage>(builder_.get(), "balloonIcon")),
      ballonText_(builderObject<GtkLabel>(builder_.get(), "ballonText")),
      sound_(resourceFolder) {
  g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
  g_signal_connect(window_, "map-event", G_CALLBACK(onMapped), this);

  GtkWidget* widget = GTK_WIDGET(window_);
  GdkScreen* screen = gtk_widget_get_screen(widget);
  GdkVisual* rgba = gdk_screen_get_rgba_visual(screen);
  if (gdk_screen_is_composited(screen) && rgba != nullptr) {
    gtk_widget_set_visual(widget, rgba);
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), "composited");
  }
  atk_object_set_role(gtk_widget_get_accessible(widget), ATK_ROLE_NOTIFICATION);
}

// Closed by the user: hidden, never destroyed, and left alone from then on.
gboolean BalloonWindow::onDelete(GtkWidget* widget, GdkEvent*, gpointer self) {
  gtk_widget_hide(widget);
  static_cast<BalloonWindow*>(self)->window_ = nullptr;
  return TRUE;
}

// Opening the sound device takes longer than drawing the window: done first, it held the
// balloon back by tens of milliseconds, so the sound starts as the balloon appears instead.
gboolean BalloonWindow::onMapped(GtkWidget*, GdkEvent*, gpointer self) {
  auto* balloon = static_cast<BalloonWindow*>(self);
  if (!balloon->pendingSound_.empty()) balloon->sound_.play(balloon->pendingSound_);
  balloon->pendingSound_.clear();
  return FALSE;
}

void BalloonWindow::setKeepAbove() {
  if (window_ != nullptr) gtk_window_set_keep_above(window_, TRUE);
}

void BalloonWindow::setOnAllWorkspaces() {
  if (window_ != nullptr) gtk_window_stick(window_);
}

void BalloonWindow::setNotMovable() {
  if (window_ == nullptr) return;
  gtk_widget_realize(GTK_WIDGET(window_));
  // Every window-manager function but moving.
  gdk_window_set_functions(gtk_widget_get_window(GTK_WIDGET(window_)),
                           static_cast<GdkWMFunction>(GDK_FUNC_RESIZE | GDK_FUNC_MINIMIZE |
                                                      GDK_FUNC_MAXIMIZE | GDK_FUNC_CLOSE));
}

void BalloonWindow::setAccessoryPolicy() {
  if (window_ == nullptr) return;
  gtk_window_set_skip_taskbar_hint(window_, TRUE);
  gtk_window_set_skip_pager_hint(window_, TRUE);
  gtk_window_set_focus_on_map(window_, FALSE);
  gtk_window_set_accept_focus(window_, FALSE);
}

void BalloonWindow::setApplicationIconImage(const char* imagePath) {
  if (const ObjectRef<GdkPixbuf> icon = loadImage(imagePath)) {
    gtk_window_set_default_icon(icon.get());
  } else {
    gtk_window_set_default_icon_list(nullptr);
  }
}

int BalloonWindow::run() {
  if (window_ != nullptr) {
    placeAtTopRight();
    gtk_widget_show_all(GTK_WIDGET(window_));
  }
  gtk_main();
  return 0;
}

void BalloonWindow::placeAtTopRight() {
  if (placeAsOverlay()) return;
  // Static gravity: the position names the window's own top-left corner on every manager and
  // with none; any frame is allowed for once the window is on screen.
  gtk_window_set_gravity(window_, GDK_GRAVITY_STATIC);
  g_signal_connect(window_, "configure-event", G_CALLBACK(onConfigured), this);
  GdkRectangle area;
  if (!primaryWorkArea(gtk_widget_get_display(GTK_WIDGET(window_)), area)) return;
  int width = 0;
  int height = 0;
  gtk_window_get_size(window_, &width, &height);
  gtk_window_move(window_, area.x + area.width - kScreenMargin - width, area.y + kScreenMargin);
}

// On Wayland the compositor places windows: only a layer-shell overlay stays in the corner, above
// the others, on every workspace and without focus. Supported is asked first: where it is not,
// the other calls abort.
bool BalloonWindow::placeAsOverlay() {
  GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window_));
  if (!GDK_IS_WAYLAND_DISPLAY(display) || !gtk_layer_is_supported()) return false;
  gtk_layer_init_for_window(window_);
  gtk_layer_set_namespace(window_, "talvenor");
  gtk_layer_set_layer(window_, GTK_LAYER_SHELL_LAYER_OVERLAY);
  for (const GtkLayerShellEdge edge : {GTK_LAYER_SHELL_EDGE_TOP, GTK_LAYER_SHELL_EDGE_RIGHT}) {
    gtk_layer_set_anchor(window_, edge, TRUE);
    gtk_layer_set_margin(window_, edge, kScreenMargin);
  }
  gtk_layer_set_exclusive_zone(window_, 0);
  gtk_layer_set_keyboard_mode(window_, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
  if (GdkMonitor* monitor = primaryMonitor(display)) gtk_layer_set_monitor(window_, monitor);
  return true;
}

gboolean BalloonWindow::onConfigured(GtkWidget*, GdkEventConfigure*, gpointer self) {
  static_cast<BalloonWindow*>(self)->keepAtTopRight();
  return FALSE;
}

// Run whenever the window's size or position changes: the first guess did not know the real
// size nor the frame.
void BalloonWindow::keepAtTopRight() {
  if (window_ == nullptr) return;
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(window_));
  GdkRectangle area;
  if (window == nullptr || !primaryWorkArea(gdk_window_get_display(window), area)) return;
  int x = 0;
  int y = 0;
  gdk_window_get_origin(window, &x, &y);
  const int width = gdk_window_get_width(window);
  GdkRectangle frame;
  gdk_window_get_frame_extents(window, &frame);
  // The frame's outer edge is what must sit at the margin; the window moves within it.
  const int wantedX = area.x + area.width - kScreenMargin - frame.width + (x - frame.x);
  const int wantedY = area.y + kScreenMargin + (y - frame.y);
  if (x == wantedX && y == wantedY) return;
  if (width != placedWidth_) {
    placedWidth_ = width;
    placements_ = 0;
  }
  // A manager that keeps putting it elsewhere has its way rather than a fight without end.
  if (placements_++ >= kMaxPlacements) return;
  gtk_window_move(window_, wantedX, wantedY);
}

void BalloonWindow::setBalloonIconImage(const char* imagePath) {
  const Surface surface =
      iconSurface(imagePath, gtk_widget_get_scale_factor(GTK_WIDGET(balloonIcon_)));
  if (surface) {
    gtk_image_set_from_surface(balloonIcon_, surface.get());
  } else {
    gtk_image_clear(balloonIcon_);
  }
}

void BalloonWindow::setBallonText(const char* text) {
  gtk_label_set_text(ballonText_, text);
  if (window_ != nullptr) atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(window_)), text);
}

const char* BalloonWindow::ballonText() const {
  return gtk_label_get_text(ballonText_);
}

void BalloonWindow::setEffectActive() {
  gtk_style_context_add_class(gtk_widget_get_style_context(effectRoot_), "active");
}

void BalloonWindow::playSound(const char* name) {
  if (window_ != nullptr && !gtk_widget_get_mapped(GTK_WIDGET(window_))) {
    pendingSound_ = name;
  } else {
    sound_.play(name);
  }
}

}  // namespace platform::gtk
