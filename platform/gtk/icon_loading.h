#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>
#include <vector>

#include "platform/gtk/glib_holders.h"

// Each picture is read whole into memory, and only from a regular file: anything else at the
// path is no picture.
namespace platform::gtk {

// The image at `path` fitted into `pixels` square, as gdk_pixbuf_new_from_file_at_size would fit
// it. Of an icon family only the picture drawn at that size is decoded, not the family's
// largest scaled down. Null when the file cannot be read or decoded.
ObjectRef<GdkPixbuf> loadIcon(const std::string& path, int pixels);

// The image at `path` at its own size; null when it cannot be read or decoded.
ObjectRef<GdkPixbuf> loadImage(const std::string& path);

// An icon family's pictures up to `maxPixels`, for the window manager to choose from; any other
// image (or a family without such pictures) whole. Empty when nothing could be decoded.
std::vector<ObjectRef<GdkPixbuf>> loadWindowIcons(const std::string& path, int maxPixels);

}  // namespace platform::gtk
