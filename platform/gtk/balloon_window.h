#pragma once

#include <gtk/gtk.h>

#include <string>

#include "platform/gtk/event_sound.h"
#include "platform/gtk/glib_holders.h"
#include "platform/gtk/late_announcement.h"
#include "platform/gtk/session_folder.h"
#include "platform/gtk/stack_place.h"

namespace platform::gtk {

// The balloon built from the interface description, and the application around it. The
// builder owns the window and its views.
class BalloonWindow {
 public:
  BalloonWindow(const std::string& resourceFolder, ObjectRef<GtkBuilder> builder);
  BalloonWindow(const BalloonWindow&) = delete;
  BalloonWindow& operator=(const BalloonWindow&) = delete;

  void setKeepAbove();
  void setOnAllWorkspaces();
  void setNotMovable();

  void setAccessoryPolicy();
  void setApplicationIconImage(const char* imagePath);
  int run();

  void setBalloonIconImage(const char* imagePath);
  void setBalloonText(const char* text);
  const char* balloonText() const;
  void setEffectActive();
  void playSound(const char* name);
  void setTextDirectionFrom(const char* sentence);
  void setBalloonIconName(const char* name);

 private:
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean onMapped(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean onConfigured(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
  void placeOnScreen();
  void fitTextToScreen();
  bool placeAsOverlay();
  void keepInPlace();

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
  int placedWidth_ = 0;  // the width the last placements were for
  int placements_ = 0;
};

}  // namespace platform::gtk
