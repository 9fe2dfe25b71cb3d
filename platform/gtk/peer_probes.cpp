#include "platform/gtk/peer_probes.h"

#include <gio/gio.h>
#include <poll.h>
#include <sys/stat.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "platform/gtk/glib_holders.h"

namespace platform::gtk {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

bool hasSessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  // An address asking for autolaunch names no bus that is running.
  if (address != nullptr && *address != '\0') return !g_str_has_prefix(address, "autolaunch:");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return false;
  struct stat info {};
  return stat((std::string(runtime) + "/bus").c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// Asks the bus on a main context of its own, so that nothing of GIO's shared one is set up by us.
// An answer that has not come by the deadline is abandoned with its context, which nothing
// iterates again: its callback, and the stack it would write to, are never reached.
class BoundedCalls {
 public:
  explicit BoundedCalls(Clock::time_point deadline)
      : deadline_(deadline), context_(g_main_context_new()), cancel_(g_cancellable_new()) {
    g_main_context_push_thread_default(context_);
  }
  ~BoundedCalls() {
    g_cancellable_cancel(cancel_.get());
    g_main_context_pop_thread_default(context_);
    g_main_context_unref(context_);
  }
  BoundedCalls(const BoundedCalls&) = delete;
  BoundedCalls& operator=(const BoundedCalls&) = delete;

  // A connection to the bus at the address, authenticated and greeted; null when refused or late.
  ObjectRef<GDBusConnection> connect(const char* address) {
    Result result;
    g_dbus_connection_new_for_address(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, cancel_.get(), onResult, &result);
    if (!waitFor(result)) return nullptr;
    return ObjectRef<GDBusConnection>(
        g_dbus_connection_new_for_address_finish(result.result.get(), nullptr));
  }

  // The reply of a method without starting its service; null when there is none in time.
  GVariant* call(GDBusConnection* bus, const char* name, const char* path, const char* interface,
                 const char* method, const GVariantType* replyType) {
    Result result;
    g_dbus_connection_call(
        bus, name, path, interface, method, nullptr, replyType, G_DBUS_CALL_FLAGS_NO_AUTO_START,
        std::max(1, millisecondsLeft(deadline_)), cancel_.get(), onResult, &result);
    if (!waitFor(result)) return nullptr;
    return g_dbus_connection_call_finish(bus, result.result.get(), nullptr);
  }

  bool late() const { return late_; }

 private:
  struct Result {
    ObjectRef<GAsyncResult> result;
  };

  static void onResult(GObject*, GAsyncResult* result, gpointer data) {
    static_cast<Result*>(data)->result.reset(G_ASYNC_RESULT(g_object_ref(result)));
  }

  bool waitFor(const Result& result) {
    while (!result.result) {
      const int left = millisecondsLeft(deadline_);
      if (left == 0) {
        late_ = true;
        return false;
      }
      GSource* timeout = g_timeout_source_new(static_cast<guint>(left));
      g_source_set_callback(
          timeout, [](gpointer) { return G_SOURCE_REMOVE; }, nullptr, nullptr);
      g_source_attach(timeout, context_);
      g_main_context_iteration(context_, TRUE);
      g_source_destroy(timeout);
      g_source_unref(timeout);
    }
    return true;
  }

  Clock::time_point deadline_;
  GMainContext* context_;
  ObjectRef<GCancellable> cancel_;
  bool late_ = false;
};

// Whether an accessibility bus answers, so that the toolkit's bridge, which waits on it without a
// bound, may connect; nothing when the session bus itself does not answer in time.
std::optional<bool> accessibilityBusAnswers(Clock::time_point deadline) {
  gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (address == nullptr) return false;
  BoundedCalls calls(deadline);
  const ObjectRef<GDBusConnection> session = calls.connect(address);
  g_free(address);
  if (!session) return calls.late() ? std::nullopt : std::optional<bool>(false);
  GVariant* reply = calls.call(session.get(), "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                               "GetAddress", G_VARIANT_TYPE("(s)"));
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
// Wayland window is the last resort.
const char* allowedBackends(TalvenorLogLine logLine) {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* chosen = std::getenv("GDK_BACKEND");
  if (wayland == nullptr || *wayland == '\0' ||
      (chosen != nullptr && std::strstr(chosen, "wayland") == nullptr))
    return "x11,*";
  switch (askCompositor(Clock::now() + kPeerPatience)) {
    case Compositor::layerShell:
      return "wayland";
    case Compositor::silent:
      logLine(
          ("The Wayland display " + std::string(wayland) + " does not answer: going on with X11")
              .c_str());
      return "x11";
    case Compositor::absent:
    case Compositor::other:
      break;
  }
  return "x11,*";
}

}  // namespace platform::gtk
