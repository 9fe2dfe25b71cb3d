#include "platform/gtk/balloon_text.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace platform::gtk {
namespace {

bool languageIsRightToLeft(const char* locale) {
  if (locale == nullptr) return false;
  for (const char* rtl : {"ar", "fa", "he", "iw", "ps", "sd", "ug", "ur", "yi", "ckb", "dv"}) {
    const std::size_t length = std::strlen(rtl);
    if (std::strncmp(locale, rtl, length) == 0 && !g_ascii_isalpha(locale[length])) return true;
  }
  return false;
}

}  // namespace

TextDirection textDirection(const char* sentence, const char* locale) {
  // Pango's own finder of the first strong character, deprecated only in favour of FriBidi's.
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  const PangoDirection direction = pango_find_base_dir(sentence, -1);
  G_GNUC_END_IGNORE_DEPRECATIONS
  const bool rightToLeft = direction == PANGO_DIRECTION_NEUTRAL ? languageIsRightToLeft(locale)
                                                                : direction == PANGO_DIRECTION_RTL;
  return {rightToLeft, rightToLeft ? "\u200F" : "\u200E"};
}

const char* messagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return nullptr;
}

PangoAttrList* balloonTextAttributes() {
  PangoAttrList* attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes, pango_attr_insert_hyphens_new(FALSE));
  return attributes;
}

}  // namespace platform::gtk
