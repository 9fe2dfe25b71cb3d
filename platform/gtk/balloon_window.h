#pragma once

#include <gtk/gtk.h>

#include <string>

#include "platform/gtk/event_sound.h"
#include "platform/gtk/glib_holders.h"
#include "platform/gtk/late_announcement.h"
#include "platform/gtk/session_folder.h"
#include "platform/gtk/stack_place.h"

namespace platform::gtk {

// The icon's logical size.
constexpr int kIconSize = 64;

// The balloon built from the interface description, and the application around it: what the
// module's operations act on. The builder owns the window and its views.
class BalloonWindow {
 public:
  BalloonWindow(const std::string& resourceFolder, ObjectRef<GtkBuilder> builder);
  BalloonWindow(const BalloonWindow&) = delete;
  BalloonWindow& operator=(const BalloonWindow&) = delete;

  void placeOnScreen();
  void fitTextToScreen();

  ObjectRef<GtkBuilder> builder_;
  GtkWindow* window_ = nullptr;  // null once the window is gone
  GtkWidget* effectRoot_ = nullptr;
  GtkImage* balloonIcon_ = nullptr;
  GtkLabel* ballonText_ = nullptr;
  std::string text_;  // as set, without the direction mark the label shows
  SessionFolder sessionFolder_;
  StackPlace place_;
  notifier::CornerGaps gaps_;  // where the window's outer edge goes
  EventSound sound_;
  std::string pendingSound_;  // played once the window is on screen
  LateAnnouncement announcement_;

 private:
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean onMapped(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean onConfigured(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
  bool placeAsOverlay();
  void keepInPlace();

  int placedWidth_ = 0;  // the width the last placements were for
  int placements_ = 0;
};

}  // namespace platform::gtk
