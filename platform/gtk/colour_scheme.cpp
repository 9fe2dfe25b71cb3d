#include "platform/gtk/colour_scheme.h"

#include <gtk/gtk.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/gtk/bounded_calls.h"
#include "platform/gtk/glib_holders.h"
#include "platform/gtk/gnome_setting.h"

namespace platform::gtk {
namespace {

// A running portal answers from memory; one that takes longer would hold the balloon back.
constexpr std::chrono::milliseconds kPortalPatience{200};

// The theme the toolkit draws when no one names another.
std::string defaultThemeName() {
  auto* settingsClass = static_cast<GObjectClass*>(g_type_class_ref(GTK_TYPE_SETTINGS));
  GParamSpec* property = g_object_class_find_property(settingsClass, "gtk-theme-name");
  std::string name = G_PARAM_SPEC_STRING(property)->default_value;
  g_type_class_unref(settingsClass);
  return name;
}

// A theme the desktop announces (XSettings, or GNOME's setting on Wayland), such as GNOME's high
// contrast, read without the toolkit's settings, whose first reading parses the theme.
bool desktopNamesTheme(const std::string& standard) {
  GValue name = G_VALUE_INIT;
  g_value_init(&name, G_TYPE_STRING);
  const bool named = gdk_screen_get_setting(gdk_screen_get_default(), "gtk-theme-name", &name) &&
                     g_value_get_string(&name) != nullptr && g_value_get_string(&name) != standard;
  g_value_unset(&name);
  return named;
}

bool inGnomeSession() {
  const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
  gchar** names = g_strsplit(desktops != nullptr ? desktops : "", ":", -1);
  const bool gnome = g_strv_contains(names, "GNOME");
  g_strfreev(names);
  return gnome;
}

// Read in a GNOME session only: elsewhere the settings' watch on dconf would cost the balloon
// some 300 KiB for a key no one sets. The key came with GNOME 42.
bool gnomePrefersDark() {
  if (!inGnomeSession()) return false;
  GVariant* scheme = gnomeSetting("org.gnome.desktop.interface", "color-scheme");
  if (scheme == nullptr) return false;
  const bool dark = g_strcmp0(g_variant_get_string(scheme, nullptr), "prefer-dark") == 0;
  g_variant_unref(scheme);
  return dark;
}

// The appearance setting, 1 for dark; portals before version 2 have only Read, which boxes the
// value once more. No portal is started for it.
bool portalPrefersDark() {
  // Where no session bus answers, keepDaemonsFromStarting has left this address; even GIO's
  // refusal of it would cost the balloon some 160 KiB of its D-Bus code.
  const char* given = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (given != nullptr && std::strcmp(given, "disabled:") == 0) return false;
  BoundedCalls calls(BoundedCalls::Clock::now() + kPortalPatience);
  const ObjectRef<GDBusConnection> bus = calls.connectToSessionBus();
  if (!bus) return false;
  GVariant* reply = nullptr;
  for (const char* method : {"ReadOne", "Read"}) {
    reply = calls.call(bus.get(), "org.freedesktop.portal.Desktop",
                       "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Settings", method,
                       g_variant_new("(ss)", "org.freedesktop.appearance", "color-scheme"),
                       G_VARIANT_TYPE("(v)"));
    if (reply != nullptr || calls.late()) break;
  }
  g_dbus_connection_close(bus.get(), nullptr, nullptr, nullptr);
  if (reply == nullptr) return false;
  GVariant* value = nullptr;
  g_variant_get(reply, "(v)", &value);
  g_variant_unref(reply);
  while (g_variant_is_of_type(value, G_VARIANT_TYPE_VARIANT)) {
    GVariant* inner = g_variant_get_variant(value);
    g_variant_unref(value);
    value = inner;
  }
  const bool dark =
      g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32) && g_variant_get_uint32(value) == 1;
  g_variant_unref(value);
  return dark;
}

}  // namespace

// Named before the toolkit first reads its settings, the dark variant is the only one parsed;
// set afterwards, the theme would be parsed twice, some 30 ms each.
void followDarkPreference() {
  const char* forced = std::getenv("GTK_THEME");
  if (forced != nullptr && *forced != '\0') return;
  const std::string standard = defaultThemeName();
  if (desktopNamesTheme(standard) || !(gnomePrefersDark() || portalPrefersDark())) return;
  setenv("GTK_THEME", (standard + ":dark").c_str(), 1);
  // A theme named in the toolkit's own settings files is the user's choice too.
  GtkSettings* settings = gtk_settings_get_default();
  gchar* name = nullptr;
  g_object_get(settings, "gtk-theme-name", &name, nullptr);
  if (name != nullptr && name != standard) {
    unsetenv("GTK_THEME");
    g_object_notify(G_OBJECT(settings), "gtk-theme-name");  // parsed again, as it is named
  }
  g_free(name);
}

}  // namespace platform::gtk
