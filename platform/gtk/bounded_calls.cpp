#include "platform/gtk/bounded_calls.h"

#include <algorithm>

namespace platform::gtk {

int millisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

BoundedCalls::BoundedCalls(Clock::time_point deadline)
    : deadline_(deadline), context_(g_main_context_new()), cancel_(g_cancellable_new()) {
  g_main_context_push_thread_default(context_);
}

BoundedCalls::~BoundedCalls() {
  g_cancellable_cancel(cancel_.get());
  g_main_context_pop_thread_default(context_);
  g_main_context_unref(context_);
}

ObjectRef<GDBusConnection> BoundedCalls::connect(const char* address) {
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

ObjectRef<GDBusConnection> BoundedCalls::connectToSessionBus() {
  gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (address == nullptr) return nullptr;
  ObjectRef<GDBusConnection> bus = connect(address);
  g_free(address);
  return bus;
}

GVariant* BoundedCalls::call(GDBusConnection* bus, const char* name, const char* path,
                             const char* interface, const char* method, GVariant* parameters,
                             const GVariantType* replyType) {
  Result result;
  g_dbus_connection_call(bus, name, path, interface, method, parameters, replyType,
                         G_DBUS_CALL_FLAGS_NO_AUTO_START, std::max(1, millisecondsLeft(deadline_)),
                         cancel_.get(), onResult, &result);
  if (!waitFor(result)) return nullptr;
  return g_dbus_connection_call_finish(bus, result.result.get(), nullptr);
}

void BoundedCalls::onResult(GObject*, GAsyncResult* result, gpointer data) {
  static_cast<Result*>(data)->result.reset(G_ASYNC_RESULT(g_object_ref(result)));
}

bool BoundedCalls::waitFor(const Result& result) {
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

}  // namespace platform::gtk
