#pragma once

#include <gdkmm/pixbuf.h>

#include <string>
#include <vector>

namespace platform::gtk {

// The image at `path` fitted into `pixels` square, as Gdk::Pixbuf::create_from_file would fit
// it. Of an icon family only the picture drawn at that size is decoded, not the family's
// largest scaled down. Throws Glib::Error when the file cannot be read or decoded.
Glib::RefPtr<Gdk::Pixbuf> loadIcon(const std::string& path, int pixels);

// An icon family's pictures up to `maxPixels`, for the window manager to choose from; any other
// image (or a family without such pictures) whole. Throws Glib::Error like loadIcon.
std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadWindowIcons(const std::string& path, int maxPixels);

}  // namespace platform::gtk
