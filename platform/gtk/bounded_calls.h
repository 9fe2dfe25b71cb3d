#pragma once

#include <gio/gio.h>

#include <chrono>

#include "platform/gtk/glib_holders.h"

namespace platform::gtk {

// What is left of the time until `deadline`, never less than nothing.
int millisecondsLeft(std::chrono::steady_clock::time_point deadline);

// Asks the bus on a main context of its own, so that nothing of GIO's shared one is set up by us.
// An answer that has not come by the deadline is abandoned with its context, which nothing
// iterates again: its callback, and the stack it would write to, are never reached.
class BoundedCalls {
 public:
  using Clock = std::chrono::steady_clock;

  explicit BoundedCalls(Clock::time_point deadline);
  ~BoundedCalls();
  BoundedCalls(const BoundedCalls&) = delete;
  BoundedCalls& operator=(const BoundedCalls&) = delete;

  // A connection to the bus at the address, authenticated and greeted; null when refused or late.
  ObjectRef<GDBusConnection> connect(const char* address);
  // The same to the session bus; null too when no session bus is named.
  ObjectRef<GDBusConnection> connectToSessionBus();

  // The reply of a method without starting its service; null when there is none in time.
  // `parameters`, when floating, is consumed.
  GVariant* call(GDBusConnection* bus, const char* name, const char* path, const char* interface,
                 const char* method, GVariant* parameters, const GVariantType* replyType);

  bool late() const { return late_; }

 private:
  struct Result {
    ObjectRef<GAsyncResult> result;
  };

  static void onResult(GObject*, GAsyncResult* result, gpointer data);
  bool waitFor(const Result& result);

  Clock::time_point deadline_;
  GMainContext* context_;
  ObjectRef<GCancellable> cancel_;
  bool late_ = false;
};

}  // namespace platform::gtk
