#include "platform/gtk/event_sound.h"

#include <dlfcn.h>

#include "platform/files.h"

namespace platform::gtk {
namespace {

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

}  // namespace

EventSound::EventSound(std::string resourceFolder) : resourceFolder_(std::move(resourceFolder)) {}

EventSound::~EventSound() {
  if (context_ != nullptr) ca_context_destroy(context_);
}

void EventSound::play(const std::string& name) {
  if (context_ == nullptr) {
    silenceAlsa();
    if (ca_context_create(&context_) != CA_SUCCESS) return;
  }
  const std::string ownSound = resourceFolder_ + "/" + name + ".wav";
  if (fileExists(ownSound)) {
    ca_context_play(context_, 0, CA_PROP_MEDIA_FILENAME, ownSound.c_str(), nullptr);
  } else {
    ca_context_play(context_, 0, CA_PROP_EVENT_ID, name.c_str(), nullptr);
  }
}

}  // namespace platform::gtk
