#pragma once

#include <gtk/gtk.h>

namespace platform::gtk {

// Tells screen readers of a window shown before the accessibility bridge listened. The bridge
// attaches its listeners only once it has learnt, a few round trips after start-up, that a
// client listens; the balloon is shown sooner, and its appearance went unheard.
class LateAnnouncement {
 public:
  explicit LateAnnouncement(GtkWindow* window);
  ~LateAnnouncement();
  LateAnnouncement(const LateAnnouncement&) = delete;
  LateAnnouncement& operator=(const LateAnnouncement&) = delete;
};

}  // namespace platform::gtk
