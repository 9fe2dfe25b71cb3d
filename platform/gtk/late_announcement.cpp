#include "platform/gtk/late_announcement.h"

namespace platform::gtk {
namespace {

using AddListener = guint (*)(GSignalEmissionHook, const gchar*);

GtkWidget* g_window = nullptr;  // cleared when the window goes
AddListener g_addListener = nullptr;
guint g_pending = 0;

gboolean announce(gpointer) {
  g_pending = 0;
  if (g_window != nullptr && gtk_widget_get_visible(g_window)) {
    AtkObject* accessible = gtk_widget_get_accessible(g_window);
    g_signal_emit_by_name(accessible, "create");
    atk_object_notify_state_change(accessible, ATK_STATE_SHOWING, TRUE);
  }
  return G_SOURCE_REMOVE;
}

// The bridge registers all its listeners in one go; once it has, the window is announced,
// if it is already shown. A screen reader started later hears it too.
guint addListener(GSignalEmissionHook listener, const gchar* eventType) {
  const guint id = g_addListener(listener, eventType);
  if (g_pending == 0 && g_window != nullptr && gtk_widget_get_visible(g_window))
    g_pending = g_idle_add(announce, nullptr);
  return id;
}

AtkUtilClass* utilClass() {
  return static_cast<AtkUtilClass*>(g_type_class_peek(ATK_TYPE_UTIL));
}

}  // namespace

LateAnnouncement::LateAnnouncement(GtkWindow* window) {
  AtkUtilClass* klass = utilClass();
  if (klass == nullptr || klass->add_global_event_listener == nullptr) return;
  g_window = GTK_WIDGET(window);
  g_object_add_weak_pointer(G_OBJECT(window), reinterpret_cast<gpointer*>(&g_window));
  g_addListener = klass->add_global_event_listener;
  klass->add_global_event_listener = addListener;
}

// The module may be unloaded; nothing of it may stay reachable from the toolkit.
LateAnnouncement::~LateAnnouncement() {
  if (g_addListener == nullptr) return;
  utilClass()->add_global_event_listener = g_addListener;
  g_addListener = nullptr;
  if (g_pending != 0) g_source_remove(g_pending);
  g_pending = 0;
  if (g_window != nullptr)
    g_object_remove_weak_pointer(G_OBJECT(g_window), reinterpret_cast<gpointer*>(&g_window));
  g_window = nullptr;
}

}  // namespace platform::gtk
