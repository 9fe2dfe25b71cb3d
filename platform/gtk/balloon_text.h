#pragma once

#include <pango/pango.h>

// The balloon's text as Pango lays it out, decided without a window.
namespace platform::gtk {

struct TextDirection {
  bool rightToLeft;
  // Put before the text: Pango takes a paragraph's direction from its first letter, the
  // application's name, and the mark's decides instead.
  const char* mark;
};

// The direction of the sentence's first strong letter; for a sentence without one, the direction
// of the locale's language (the locale's name as LANG gives it, or null).
TextDirection textDirection(const char* sentence, const char* locale);

// The name of the locale the messages are read in, or null.
const char* messagesLocale();

// The text's attributes, a new list: a word broken across lines gains no hyphen, so that a web
// address reads as it is.
PangoAttrList* balloonTextAttributes();

}  // namespace platform::gtk
