#include "platform/gtk/gnome_setting.h"

#include <cstdlib>

#include "platform/gtk/glib_holders.h"

namespace platform::gtk {

GVariant* gnomeSetting(const char* schemaId, const char* key) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (runtime == nullptr || *runtime == '\0' || source == nullptr) return nullptr;
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
  if (schema == nullptr) return nullptr;
  GVariant* value = nullptr;
  if (g_settings_schema_has_key(schema, key)) {
    const ObjectRef<GSettings> settings(g_settings_new_full(schema, nullptr, nullptr));
    value = g_settings_get_value(settings.get(), key);
  }
  g_settings_schema_unref(schema);
  return value;
}

}  // namespace platform::gtk
