#pragma once

#include <gio/gio.h>

namespace platform::gtk {

// The value of a key of GNOME's settings; null when its schema or the key is not installed
// (settings of a missing schema would abort the run) or outside a session: dconf keeps its state
// in the session's runtime folder and, without one, would make it under the home folder. The
// caller unrefs the value.
GVariant* gnomeSetting(const char* schemaId, const char* key);

}  // namespace platform::gtk
