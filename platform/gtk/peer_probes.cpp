#include "platform/gtk/peer_probes.h"

#include <gio/gio.h>
#include <poll.h>
#include <sys/stat.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/gtk/bounded_calls.h"

namespace platform::gtk {
namespace {

using Clock = std::chrono::steady_clock;

bool hasSessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  // An address asking for autolaunch names no bus that is running.
  if (address != nullptr && *address != '\0') return !g_str_has_prefix(address, "autolaunch:");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return false;
  struct stat info {};
  return stat((std::string(runtime) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// Whether an accessibility bus answers, so that the toolkit's bridge, which waits on it without a
// bound, may connect; nothing when the session bus itself does not answer in time.
std::optional<bool> accessibilityBusAnswers(Clock::time_point deadline) {
  BoundedCalls calls(deadline);
  const ObjectRef<GDBusConnection> session = calls.connectToSessionBus();
  if (!session) return calls.late() ? std::nullopt : std::optional<bool>(false);
  GVariant* reply = calls.call(session.get(), "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                               "GetAddress", nullptr, G_VARIANT_TYPE("(s)"));
  g_dbus_connection_close(session.get(), nullptr, nullptr, nullptr);
  if (reply == nullptr) return calls.late() ? std::nullopt : std::optional<bool>(false);
  const gchar* accessibilityAddress = nullptr;
  g_variant_get(reply, "(&s)", &accessibilityAddress);
  const ObjectRef<GDBusConnection> accessibility = calls.connect(accessibilityAddress);
  g_variant_unref(reply);
  if (accessibility) g_dbus_connection_close(accessibility.get(), nullptr, nullptr, nullptr);
  return accessibility != nullptr;
}

enum class Compositor { absent, silent, layerShell, other };

// What the compositor on WAYLAND_DISPLAY offers, asked on a connection of our own before GDK
// picks its backend, and read only as long as the deadline allows.
Compositor askCompositor(Clock::time_point deadline) {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return Compositor::absent;
  struct Answer {
    bool layerShell = false;
    bool done = false;
  } answer;
  static const wl_registry_listener registryListener = {
      .global =
          [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            if (std::strcmp(interface, "zwlr_layer_shell_v1") == 0)
              static_cast<Answer*>(data)->layerShell = true;
          },
      .global_remove = [](void*, wl_registry*, uint32_t) {},
  };
  static const wl_callback_listener doneListener = {
      .done = [](void* data, wl_callback*, uint32_t) { static_cast<Answer*>(data)->done = true; },
  };
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registryListener, &answer);
  // Answered after every global has been announced.
  wl_callback* sync = wl_display_sync(display);
  wl_callback_add_listener(sync, &doneListener, &answer);
  bool broken = false;
  while (!answer.done && !broken) {
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    pollfd socket{wl_display_get_fd(display), POLLIN, 0};
    const int ready = poll(&socket, 1, millisecondsLeft(deadline));
    if (ready <= 0 && !(ready < 0 && errno == EINTR)) {
      wl_display_cancel_read(display);
      break;
    }
    if (ready < 0) {
      wl_display_cancel_read(display);
      continue;
    }
    broken = wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0;
  }
  wl_callback_destroy(sync);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  if (!answer.done) return broken ? Compositor::absent : Compositor::silent;
  return answer.layerShell ? Compositor::layerShell : Compositor::other;
}

}  // namespace

// Nothing the run starts may outlive it. Without a session bus, libdbus and GDBus would start
// one through dbus-launch, and on it the accessibility bus; an address that no transport
// accepts stops them, and a bridge can still find an accessibility bus named on the display.
// With a session bus, the bridge would have it start the accessibility bus when none is running:
// then no assistive technology is listening, and the bridge is left out.
void keepDaemonsFromStarting(TalvenorLogLine logLine) {
  if (!hasSessionBus()) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    return;
  }
  const std::optional<bool> accessibility = accessibilityBusAnswers(Clock::now() + kPeerPatience);
  if (!accessibility) {
    logLine("The session bus does not answer: going on without it");
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
  } else if (!*accessibility) {
    setenv("NO_AT_BRIDGE", "1", 1);
  }
}

// The window settings the balloon relies on exist under X11, and on Wayland only as a
// layer-shell overlay. Elsewhere X11 comes first, through XWayland in a Wayland session; a plain
// Wayland window would take the focus, so a compositor without layer-shell leaves X11 alone.
Backends allowedBackends(TalvenorLogLine logLine) {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* chosen = std::getenv("GDK_BACKEND");
  if (wayland == nullptr || *wayland == '\0' ||
      (chosen != nullptr && std::strstr(chosen, "wayland") == nullptr))
    return {"x11,*", false};
  switch (askCompositor(Clock::now() + kPeerPatience)) {
    case Compositor::layerShell:
      return {"wayland", false};
    case Compositor::silent:
      logLine(
          ("The Wayland display " + std::string(wayland) + " does not answer: going on with X11")
              .c_str());
      return {"x11", false};
    case Compositor::other:
      return {"x11", true};
    case Compositor::absent:
      break;
  }
  return {"x11,*", false};
}

}  // namespace platform::gtk
