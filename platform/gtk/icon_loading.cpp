#include "platform/gtk/icon_loading.h"

#include <algorithm>
#include <string_view>

#include "platform/files.h"
#include "platform/icns.h"

namespace platform::gtk {
namespace {

// Decided by name, as the program names its resources, so that any other image is read once,
// by gdk-pixbuf, exactly as before.
bool isIconFamily(const std::string& path) {
  return path.ends_with(".icns");
}

// Far above any icon or logo, far below what would strain the run's memory.
constexpr std::size_t kMaxPictureBytes = 16 << 20;

// The whole file, or nothing when it is not a regular file of at most kMaxPictureBytes: a FIFO
// or a device at an agent's path must not hold the balloon back.
std::string pictureBytes(const std::string& path) {
  std::string bytes;
  readRegularFile(path, kMaxPictureBytes, bytes);
  return bytes;
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

void fitOnPrepared(GdkPixbufLoader* loader, int width, int height, gpointer box) {
  fitInto(*static_cast<const int*>(box), width, height);
  gdk_pixbuf_loader_set_size(loader, width, height);
}

// Decoded from memory, fitted into `box` square unless it is 0. The type is guessed from the
// bytes, as gdk-pixbuf guesses a file's, unless named.
ObjectRef<GdkPixbuf> decode(std::string_view bytes, int box, const char* type = nullptr) {
  ObjectRef<GdkPixbufLoader> loader(type != nullptr ? gdk_pixbuf_loader_new_with_type(type, nullptr)
                                                    : gdk_pixbuf_loader_new());
  if (!loader) return nullptr;
  if (box > 0) g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(fitOnPrepared), &box);
  const bool written =
      !bytes.empty() &&
      gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()),
                              bytes.size(), nullptr) != FALSE;
  // Closed in any case: a loader still open when released complains on the log.
  const bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr) != FALSE;
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!written || !closed || pixbuf == nullptr) return nullptr;
  return ObjectRef<GdkPixbuf>(GDK_PIXBUF(g_object_ref(pixbuf)));
}

// The PNG loader named outright for an icon family's pictures: no guessing of the type from the
// bytes, which would consult the MIME database.
ObjectRef<GdkPixbuf> decode(const IcnsPicture& picture, int box) {
  return decode(picture.png, box, "png");
}

}  // namespace

ObjectRef<GdkPixbuf> loadIcon(const std::string& path, int pixels) {
  const std::string bytes = pictureBytes(path);
  if (isIconFamily(path)) {
    const std::vector<IcnsPicture> pictures = icnsPngPictures(bytes);
    if (const IcnsPicture* picture = icnsPictureFor(pictures, pixels))
      return decode(*picture, pixels);
  }
  return decode(bytes, pixels);
}

ObjectRef<GdkPixbuf> loadImage(const std::string& path) {
  return decode(pictureBytes(path), 0);
}

std::vector<ObjectRef<GdkPixbuf>> loadWindowIcons(const std::string& path, int maxPixels) {
  const std::string bytes = pictureBytes(path);
  std::vector<ObjectRef<GdkPixbuf>> icons;
  if (isIconFamily(path)) {
    for (const IcnsPicture& picture : icnsPngPictures(bytes)) {
      if (picture.width > maxPixels || picture.height > maxPixels) continue;
      if (auto icon = decode(picture, 0)) icons.push_back(std::move(icon));
    }
  }
  if (icons.empty()) {
    if (auto whole = decode(bytes, 0)) icons.push_back(std::move(whole));
  }
  return icons;
}

}  // namespace platform::gtk
