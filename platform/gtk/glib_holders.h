#pragma once

#include <cairo.h>
#include <glib-object.h>

#include <memory>
#include <string>

namespace platform::gtk {

// Owners for what GLib, GObject and cairo hand out, so that no early return leaks.
struct ObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using ObjectRef = std::unique_ptr<T, ObjectUnref>;

struct SurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;

// A GError out-parameter that ends up owned: `call(..., error.out())`.
class ErrorSlot {
 public:
  GError** out() { return &raw_; }
  ~ErrorSlot() {
    if (raw_ != nullptr) g_error_free(raw_);
  }
  explicit operator bool() const { return raw_ != nullptr; }
  std::string message() const { return raw_ != nullptr ? raw_->message : ""; }

 private:
  GError* raw_ = nullptr;
};

}  // namespace platform::gtk
