#pragma once

namespace platform::gtk {

// Has the theme draw its dark variant when the desktop prefers a dark style. GTK 3 follows only
// its own setting, which neither GNOME's colour scheme nor the settings portal's sets any more;
// a theme the user chose by name, high contrast among them, keeps its look. Called before the
// toolkit's settings are first read.
void followDarkPreference();

}  // namespace platform::gtk
