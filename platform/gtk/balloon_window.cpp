#include "platform/gtk/balloon_window.h"

#include <gdk/gdkwayland.h>
#include <gtk-layer-shell/gtk-layer-shell.h>
#include <algorithm>
#include <utility>

#include "platform/gtk/balloon_text.h"

namespace platform::gtk {
namespace {

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

Box boxOf(const GdkRectangle& rectangle) {
  return {rectangle.x, rectangle.y, rectangle.width, rectangle.height};
}

// The width and height that the card's padding and border take around its contents.
std::pair<int, int> cardChrome(GtkWidget* card) {
  GtkStyleContext* style = gtk_widget_get_style_context(card);
  const GtkStateFlags state = gtk_style_context_get_state(style);
  GtkBorder padding, border;
  gtk_style_context_get_padding(style, state, &padding);
  gtk_style_context_get_border(style, state, &border);
  return {padding.left + border.left + padding.right + border.right,
          padding.top + border.top + padding.bottom + border.bottom};
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
      sound_(resourceFolder),
      announcement_(window_) {
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
  // The icon is the product's mark: read as its name rather than as an unnamed image.
  atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(balloonIcon_)),
                      gtk_window_get_title(window_));
}

// Closed by the user: hidden, never destroyed, and left alone from then on; its place is free.
gboolean BalloonWindow::onDelete(GtkWidget* widget, GdkEvent*, gpointer self) {
  gtk_widget_hide(widget);
  static_cast<BalloonWindow*>(self)->window_ = nullptr;
  static_cast<BalloonWindow*>(self)->place_.release();
  return TRUE;
}

// Opening the sound device takes longer than drawing the window: done first, it held the
// balloon back by tens of milliseconds, so the sound starts as the balloon appears instead.
gboolean BalloonWindow::onMapped(GtkWidget*, GdkEvent*, gpointer self) {
  auto* balloon = static_cast<BalloonWindow*>(self);
  if (!balloon->pendingSound_.empty())
    balloon->sound_.play(balloon->pendingSound_, balloon->sessionFolder_.fd());
  balloon->pendingSound_.clear();
  return FALSE;
}

// Other balloons of the session may be on screen: this one goes below or beside them.
void BalloonWindow::placeOnScreen() {
  GdkRectangle area;
  const bool known = primaryWorkArea(gtk_widget_get_display(GTK_WIDGET(window_)), area);
  Box place;
  if (known) {
    // The size the window will take, its contents shown; a wrapping label asks for more height
    // at its narrowest.
    gtk_widget_show_all(effectRoot_);
    GtkRequisition size;
    gtk_widget_get_preferred_size(GTK_WIDGET(window_), nullptr, &size);
    place = place_.take(sessionFolder_.placesFd(), boxOf(area), size.width, size.height);
    gaps_ = notifier::cornerGaps(boxOf(area), place);
  }
  if (placeAsOverlay()) return;
  // Static gravity: the position names the window's own top-left corner on every manager and
  // with none; any frame is allowed for once the window is on screen.
  gtk_window_set_gravity(window_, GDK_GRAVITY_STATIC);
  g_signal_connect(window_, "configure-event", G_CALLBACK(onConfigured), this);
  if (known) gtk_window_move(window_, place.x, place.y);
}

// On Wayland the compositor places windows: only a layer-shell overlay stays in its place, above
// the others, on every workspace and without focus. Supported is asked first: where it is not,
// the other calls abort. No output is named, so the compositor puts it where the user works.
bool BalloonWindow::placeAsOverlay() {
  GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window_));
  if (!GDK_IS_WAYLAND_DISPLAY(display) || !gtk_layer_is_supported()) return false;
  gtk_layer_init_for_window(window_);
  gtk_layer_set_namespace(window_, "talvenor");
  gtk_layer_set_layer(window_, GTK_LAYER_SHELL_LAYER_OVERLAY);
  gtk_layer_set_anchor(window_, GTK_LAYER_SHELL_EDGE_TOP, TRUE);
  gtk_layer_set_anchor(window_, GTK_LAYER_SHELL_EDGE_RIGHT, TRUE);
  gtk_layer_set_margin(window_, GTK_LAYER_SHELL_EDGE_TOP, gaps_.top);
  gtk_layer_set_margin(window_, GTK_LAYER_SHELL_EDGE_RIGHT, gaps_.right);
  gtk_layer_set_exclusive_zone(window_, 0);
  gtk_layer_set_keyboard_mode(window_, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
  return true;
}

gboolean BalloonWindow::onConfigured(GtkWidget*, GdkEventConfigure*, gpointer self) {
  static_cast<BalloonWindow*>(self)->keepInPlace();
  return FALSE;
}

// Run whenever the window's size or position changes: the first guess did not know the real
// size nor the frame.
void BalloonWindow::keepInPlace() {
  if (window_ == nullptr) return;
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(window_));
  GdkRectangle area;
  if (window == nullptr || !primaryWorkArea(gdk_window_get_display(window), area)) return;
  notifier::Point origin;
  gdk_window_get_origin(window, &origin.x, &origin.y);
  const int width = gdk_window_get_width(window);
  GdkRectangle frame;
  gdk_window_get_frame_extents(window, &frame);
  const notifier::Point wanted = notifier::windowOrigin(boxOf(area), gaps_, origin, boxOf(frame));
  if (origin == wanted) return;
  if (width != placedWidth_) {
    placedWidth_ = width;
    placements_ = 0;
  }
  // A manager that keeps putting it elsewhere has its way rather than a fight without end.
  if (placements_++ >= kMaxPlacements) return;
  gtk_window_move(window_, wanted.x, wanted.y);
}

// However long the sentence, the card stays inside the work area, with the screen margins; a
// text that does not fit ends in an ellipsis on its last visible line.
void BalloonWindow::fitTextToScreen() {
  GtkWidget* label = GTK_WIDGET(ballonText_);
  PangoAttrList* attributes = balloonTextAttributes();
  gtk_label_set_attributes(ballonText_, attributes);
  pango_attr_list_unref(attributes);

  GdkRectangle area;
  if (!primaryWorkArea(gtk_widget_get_display(label), area)) return;
  PangoLayout* layout = gtk_widget_create_pango_layout(label, "Ag");
  int twoChars = 0, lineHeight = 0;
  pango_layout_get_pixel_size(layout, &twoChars, &lineHeight);
  g_object_unref(layout);
  const auto [chromeWidth, chromeHeight] = cardChrome(effectRoot_);
  const int width = area.width - 2 * notifier::kBalloonMargin - chromeWidth - kIconSize -
                    gtk_box_get_spacing(GTK_BOX(effectRoot_));
  const int height = area.height - 2 * notifier::kBalloonMargin - chromeHeight;
  const int chars = std::max(1, 2 * width / std::max(1, twoChars));
  gtk_label_set_max_width_chars(ballonText_,
                                std::min(gtk_label_get_max_width_chars(ballonText_), chars));
  gtk_label_set_width_chars(ballonText_, std::min(gtk_label_get_width_chars(ballonText_), chars));
  gtk_label_set_lines(ballonText_, std::max(1, height / std::max(1, lineHeight)));
  gtk_label_set_ellipsize(ballonText_, PANGO_ELLIPSIZE_END);
}

}  // namespace platform::gtk
