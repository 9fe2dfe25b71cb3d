#include "platform/gtk/event_sound.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtk/gtk.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/gtk/gnome_setting.h"

namespace platform::gtk {
namespace {

constexpr const char* kApplicationId = "talvenor";
constexpr const char* kDescription = "An application has been updated";

void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// The sound library reports a missing sound card on standard error, which is the log; its
// messages say nothing the program would report, so they are dropped.
void silenceAlsa() {
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (alsa == nullptr) return;
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler != nullptr) setHandler(ignoreAlsaMessage);
}

// Left to itself, the library gives up when its first driver cannot reach a sound server,
// although plain ALSA would still play; each driver is tried on a context of its own, as one
// whose opening failed is not reliably reusable.
ca_context* openContext() {
  for (const char* driver : {"pulse", "alsa"}) {
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS) return nullptr;
    // Named here, mixers list the sound as the program's, among the system sounds.
    if (ca_context_set_driver(context, driver) == CA_SUCCESS &&
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "Talvenor",
                                CA_PROP_APPLICATION_ID, kApplicationId, nullptr) == CA_SUCCESS &&
        ca_context_open(context) == CA_SUCCESS)
      return context;
    ca_context_destroy(context);
  }
  return nullptr;
}

// The desktop's switch for event sounds, which the toolkit's own event sounds obey. Without a
// display the toolkit has no settings; GNOME's key, which GTK reads itself on Wayland, says then.
bool eventSoundsOn() {
  gboolean on = TRUE;
  if (GtkSettings* settings = gtk_settings_get_default()) {
    g_object_get(settings, "gtk-enable-event-sounds", &on, nullptr);
  } else if (GVariant* key = gnomeSetting("org.gnome.desktop.sound", "event-sounds")) {
    on = g_variant_get_boolean(key);
    g_variant_unref(key);
  }
  return on != FALSE;
}

}  // namespace

EventSound::EventSound(std::string resourceFolder) : resourceFolder_(std::move(resourceFolder)) {}

EventSound::~EventSound() {
  if (context_ != nullptr) ca_context_destroy(context_);
  releaseSoundLock();
}

void EventSound::play(const std::string& name, int sessionFolderFd) {
  // Off, the balloon is silent, and no lock is taken nor sound driver loaded for it.
  if (!eventSoundsOn()) return;
  if (sessionFolderFd >= 0) {
    const int lock =
        openat(sessionFolderFd, "sound.lock", O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    // Another balloon's sound is playing: one is enough, and this one loads no sound driver.
    if (lock >= 0 && flock(lock, LOCK_EX | LOCK_NB) != 0) {
      close(lock);
      return;
    }
    soundLock_ = lock;
  }
  if (context_ == nullptr) {
    silenceAlsa();
    if ((context_ = openContext()) == nullptr) return releaseSoundLock();
  }
  const std::string ownSound = resourceFolder_ + "/" + name + ".wav";
  const bool own = fileExists(ownSound);
  ca_proplist* properties = nullptr;
  if (ca_proplist_create(&properties) != CA_SUCCESS) return releaseSoundLock();
  ca_proplist_sets(properties, own ? CA_PROP_MEDIA_FILENAME : CA_PROP_EVENT_ID,
                   own ? ownSound.c_str() : name.c_str());
  // The event role puts the stream under the desktop's volume for system sounds.
  ca_proplist_sets(properties, CA_PROP_MEDIA_ROLE, "event");
  ca_proplist_sets(properties, CA_PROP_EVENT_DESCRIPTION, kDescription);
  if (ca_context_play_full(context_, 0, properties, onPlayed, this) != CA_SUCCESS)
    releaseSoundLock();
  ca_proplist_destroy(properties);
}

void EventSound::onPlayed(ca_context*, uint32_t, int, void* self) {
  static_cast<EventSound*>(self)->releaseSoundLock();
}

void EventSound::releaseSoundLock() {
  if (const int lock = soundLock_.exchange(-1); lock >= 0) close(lock);
}

}  // namespace platform::gtk
