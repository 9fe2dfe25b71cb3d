#include "platform/gtk/icon_loading.h"

#include <gdkmm/pixbufloader.h>
#include <glibmm/fileutils.h>

#include <algorithm>

#include "platform/icns.h"

namespace platform::gtk {
namespace {

// Decided by name, as the program names its resources, so that any other image is read once,
// by gdk-pixbuf, exactly as before.
bool isIconFamily(const std::string& path) {
  return path.ends_with(".icns");
}

// gdk-pixbuf's own fitting of an image loaded at a size: proportions kept, rounded, at least 1.
void fitInto(int box, int& width, int& height) {
  if (static_cast<double>(height) > static_cast<double>(width)) {
    width = static_cast<int>(0.5 + static_cast<double>(width) * box / height);
    height = box;
  } else {
    height = static_cast<int>(0.5 + static_cast<double>(height) * box / width);
    width = box;
  }
  width = std::max(width, 1);
  height = std::max(height, 1);
}

// The PNG loader named outright: no guessing of the type from the bytes, which would consult
// the MIME database.
Glib::RefPtr<Gdk::Pixbuf> decode(const IcnsPicture& picture, int box) {
  auto loader = Gdk::PixbufLoader::create("png");
  int width = picture.width;
  int height = picture.height;
  if (box > 0) fitInto(box, width, height);
  if (width != picture.width || height != picture.height) loader->set_size(width, height);
  loader->write(reinterpret_cast<const guint8*>(picture.png.data()), picture.png.size());
  loader->close();
  return loader->get_pixbuf();
}

}  // namespace

Glib::RefPtr<Gdk::Pixbuf> loadIcon(const std::string& path, int pixels) {
  if (isIconFamily(path)) {
    const std::string contents = Glib::file_get_contents(path);
    const std::vector<IcnsPicture> pictures = icnsPngPictures(contents);
    if (const IcnsPicture* picture = icnsPictureFor(pictures, pixels))
      return decode(*picture, pixels);
  }
  return Gdk::Pixbuf::create_from_file(path, pixels, pixels);
}

std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadWindowIcons(const std::string& path, int maxPixels) {
  std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons;
  if (isIconFamily(path)) {
    const std::string contents = Glib::file_get_contents(path);
    for (const IcnsPicture& picture : icnsPngPictures(contents)) {
      if (picture.width <= maxPixels && picture.height <= maxPixels)
        icons.push_back(decode(picture, 0));
    }
  }
  if (icons.empty()) icons.push_back(Gdk::Pixbuf::create_from_file(path));
  return icons;
}

}  // namespace platform::gtk
