#include "platform/gtk/icon_loading.h"

#include <algorithm>

#include "platform/icns.h"

namespace platform::gtk {
namespace {

// Decided by name, as the program names its resources, so that any other image is read once,
// by gdk-pixbuf, exactly as before.
bool isIconFamily(const std::string& path) {
  return path.ends_with(".icns");
}

std::string fileContents(const std::string& path) {
  gchar* bytes = nullptr;
  gsize length = 0;
  if (!g_file_get_contents(path.c_str(), &bytes, &length, nullptr)) return {};
  std::string contents(bytes, length);
  g_free(bytes);
  return contents;
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
ObjectRef<GdkPixbuf> decode(const IcnsPicture& picture, int box) {
  ObjectRef<GdkPixbufLoader> loader(gdk_pixbuf_loader_new_with_type("png", nullptr));
  if (!loader) return nullptr;
  int width = picture.width;
  int height = picture.height;
  if (box > 0) fitInto(box, width, height);
  if (width != picture.width || height != picture.height)
    gdk_pixbuf_loader_set_size(loader.get(), width, height);
  const bool written =
      gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(picture.png.data()),
                              picture.png.size(), nullptr) != FALSE;
  // Closed in any case: a loader still open when released complains on the log.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr) != FALSE;
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!written || !closed || pixbuf == nullptr) return nullptr;
  return ObjectRef<GdkPixbuf>(GDK_PIXBUF(g_object_ref(pixbuf)));
}

}  // namespace

ObjectRef<GdkPixbuf> loadIcon(const std::string& path, int pixels) {
  if (isIconFamily(path)) {
    const std::string contents = fileContents(path);
    const std::vector<IcnsPicture> pictures = icnsPngPictures(contents);
    if (const IcnsPicture* picture = icnsPictureFor(pictures, pixels))
      return decode(*picture, pixels);
  }
  return ObjectRef<GdkPixbuf>(
      gdk_pixbuf_new_from_file_at_size(path.c_str(), pixels, pixels, nullptr));
}

std::vector<ObjectRef<GdkPixbuf>> loadWindowIcons(const std::string& path, int maxPixels) {
  std::vector<ObjectRef<GdkPixbuf>> icons;
  if (isIconFamily(path)) {
    const std::string contents = fileContents(path);
    for (const IcnsPicture& picture : icnsPngPictures(contents)) {
      if (picture.width > maxPixels || picture.height > maxPixels) continue;
      if (auto icon = decode(picture, 0)) icons.push_back(std::move(icon));
    }
  }
  if (icons.empty()) {
    if (GdkPixbuf* whole = gdk_pixbuf_new_from_file(path.c_str(), nullptr))
      icons.emplace_back(whole);
  }
  return icons;
}

}  // namespace platform::gtk
