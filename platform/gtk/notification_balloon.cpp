#include "platform/gtk/notification_balloon.h"

#include <gtk/gtk.h>

#include <optional>

#include "platform/gtk/bounded_calls.h"
#include "platform/gtk/event_sound.h"
#include "platform/gtk/glib_holders.h"
#include "platform/gtk/icon_loading.h"
#include "platform/gtk/peer_probes.h"
#include "platform/gtk/run_endings.h"
#include "platform/gtk/session_folder.h"

namespace platform::gtk::notification {
namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr int kIconPixels = 64;  // the window's icon size
constexpr int kNotShownStatus = 2;

struct Notification {
  Notification(const std::string& resourceFolder, ObjectRef<GDBusConnection> connection,
               TalvenorLogLine line)
      : bus(std::move(connection)), logLine(line), sound(resourceFolder) {}
  ~Notification() { g_dbus_connection_close(bus.get(), nullptr, nullptr, nullptr); }

  ObjectRef<GDBusConnection> bus;
  TalvenorLogLine logLine;
  ObjectRef<GdkPixbuf> icon;
  std::string text;
  SessionFolder sessionFolder;
  EventSound sound;
  std::string pendingSound;  // played once the notification is shown
};

Notification& self(TalvenorBalloon* balloon) {
  return *reinterpret_cast<Notification*>(balloon);
}

BoundedCalls::Clock::time_point deadline() {
  return BoundedCalls::Clock::now() + kPeerPatience;
}

// The picture in the layout the notification protocol names, row by row as the pixbuf holds it.
GVariant* imageData(GdkPixbuf* icon) {
  GBytes* pixels = gdk_pixbuf_read_pixel_bytes(icon);
  GVariant* bytes = g_variant_new_from_bytes(G_VARIANT_TYPE_BYTESTRING, pixels, TRUE);
  g_bytes_unref(pixels);
  return g_variant_new("(iiibii@ay)", gdk_pixbuf_get_width(icon), gdk_pixbuf_get_height(icon),
                       gdk_pixbuf_get_rowstride(icon), gdk_pixbuf_get_has_alpha(icon),
                       gdk_pixbuf_get_bits_per_sample(icon), gdk_pixbuf_get_n_channels(icon),
                       bytes);
}

// The sentence is the summary, which the protocol keeps plain text: a body may be read as markup.
std::optional<guint32> notify(const Notification& notification) {
  GVariantBuilder hints;
  g_variant_builder_init(&hints, G_VARIANT_TYPE_VARDICT);
  g_variant_builder_add(&hints, "{sv}", "suppress-sound", g_variant_new_boolean(TRUE));
  if (notification.icon)
    g_variant_builder_add(&hints, "{sv}", "image-data", imageData(notification.icon.get()));
  BoundedCalls calls(deadline());
  GVariant* reply =
      calls.call(notification.bus.get(), kService, kPath, kService, "Notify",
                 g_variant_new("(susss@asa{sv}i)", "Talvenor", 0U, "", notification.text.c_str(),
                               "", g_variant_new_strv(nullptr, 0), &hints, -1),
                 G_VARIANT_TYPE("(u)"));
  if (reply == nullptr) return std::nullopt;
  guint32 id = 0;
  g_variant_get(reply, "(u)", &id);
  g_variant_unref(reply);
  return id;
}

void closeNotification(const Notification& notification, guint32 id) {
  BoundedCalls calls(deadline());
  if (GVariant* reply = calls.call(notification.bus.get(), kService, kPath, kService,
                                   "CloseNotification", g_variant_new("(u)", id), nullptr))
    g_variant_unref(reply);
}

}  // namespace

TalvenorBalloon* reach(const std::string& resourceFolder, TalvenorLogLine logLine) {
  BoundedCalls calls(deadline());
  ObjectRef<GDBusConnection> bus = calls.connectToSessionBus();
  if (!bus) return nullptr;
  GVariant* reply = calls.call(bus.get(), kService, kPath, kService, "GetCapabilities", nullptr,
                               G_VARIANT_TYPE("(as)"));
  if (reply == nullptr) {
    g_dbus_connection_close(bus.get(), nullptr, nullptr, nullptr);
    return nullptr;
  }
  g_variant_unref(reply);
  return reinterpret_cast<TalvenorBalloon*>(
      new Notification(resourceFolder, std::move(bus), logLine));
}

void close(TalvenorBalloon* balloon) {
  delete &self(balloon);
}

int run(TalvenorBalloon* balloon) {
  Notification& notification = self(balloon);
  const std::optional<guint32> id = notify(notification);
  if (!id) {
    notification.logLine("The notification service did not show the balloon: balloon not shown");
    return kNotShownStatus;
  }
  if (!notification.pendingSound.empty())
    notification.sound.play(notification.pendingSound, notification.sessionFolder.fd());
  gtk_main();
  closeNotification(notification, *id);
  return runEndStatus();
}

void setBalloonIconImage(TalvenorBalloon* balloon, const char* imagePath) {
  self(balloon).icon = loadIcon(imagePath, kIconPixels);
}

void setBalloonText(TalvenorBalloon* balloon, const char* text) {
  self(balloon).text = text;
}

const char* balloonText(TalvenorBalloon* balloon) {
  return self(balloon).text.c_str();
}

void playSound(TalvenorBalloon* balloon, const char* name) {
  self(balloon).pendingSound = name;
}

}  // namespace platform::gtk::notification
