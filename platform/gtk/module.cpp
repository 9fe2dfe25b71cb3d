// The toolkit module: connects to the display and builds the balloon on GTK's C API. Loaded
// only once both gates have said yes; the program reaches it through one table of C functions.
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>

#include "platform/gtk/balloon_window.h"
#include "platform/gtk/colour_scheme.h"
#include "platform/gtk/display_watchdog.h"
#include "platform/gtk/icon_loading.h"
#include "platform/gtk/own_folders.h"
#include "platform/gtk/peer_probes.h"

#include "platform/gtk/quiet_glib_log.h"
#include "platform/gtk/run_endings.h"

namespace platform::gtk {
namespace {

// The largest window icon handed to the window manager, which draws one no larger than a
// switcher's tile. Given the whole file, gdk-pixbuf decoded the family's 512-pixel picture, too
// large for the EWMH icon property: GDK sent it only as a legacy 1 MiB pixmap, converted and
// uploaded before the window could be mapped, where the window manager read it back.
constexpr int kWindowIconPixels = 64;

// Opening a display takes milliseconds; one that has not answered by then never will.
constexpr std::chrono::seconds kDisplayPatience{5};

std::string displayName() {
  const char* name = std::getenv("DISPLAY");
  return name != nullptr ? name : "(DISPLAY not set)";
}

// Why the balloon could not be built, or nothing.
std::string checkInterface(GtkBuilder* builder) {
  const struct {
    const char* id;
    GType type;
  } parts[] = {{"window", GTK_TYPE_WINDOW},
               {"effect", GTK_TYPE_WIDGET},
               {"balloonIcon", GTK_TYPE_IMAGE},
               {"ballonText", GTK_TYPE_LABEL}};
  for (const auto& part : parts) {
    GObject* object = gtk_builder_get_object(builder, part.id);
    if (object == nullptr) return std::string("the interface has no \"") + part.id + "\"";
    if (!G_TYPE_CHECK_INSTANCE_TYPE(object, part.type))
      return std::string("the interface's \"") + part.id + "\" is not a " + g_type_name(part.type);
  }
  return {};
}

void setDefaultWindowIcons(const std::string& path) {
  std::vector<ObjectRef<GdkPixbuf>> icons = loadWindowIcons(path, kWindowIconPixels);
  // Without any, the windows carry no icon of their own; nothing else depends on it.
  GList* list = nullptr;
  for (auto it = icons.rbegin(); it != icons.rend(); ++it) list = g_list_prepend(list, it->get());
  if (list != nullptr) gtk_window_set_default_icon_list(list);
  g_list_free(list);
}

// The balloon, or null with `failure` saying why.
BalloonWindow* buildBalloon(const std::string& folder, std::string& failure) {
  followDarkPreference();
  ErrorSlot error;
  ObjectRef<GtkCssProvider> style(gtk_css_provider_new());
  if (!gtk_css_provider_load_from_path(style.get(), (folder + "/balloon.css").c_str(),
                                       error.out())) {
    failure = "Cannot build the balloon: " + error.message();
    return nullptr;
  }
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                            GTK_STYLE_PROVIDER(style.get()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  ObjectRef<GtkBuilder> builder(gtk_builder_new());
  if (!gtk_builder_add_from_file(builder.get(), (folder + "/balloon.ui").c_str(), error.out())) {
    failure = "Cannot build the balloon: " + error.message();
    return nullptr;
  }
  if (failure = checkInterface(builder.get()); !failure.empty()) {
    failure = "Cannot build the balloon: " + failure;
    return nullptr;
  }
  setDefaultWindowIcons(folder + "/AppIcon.icns");
  return new BalloonWindow(folder, std::move(builder));
}

std::string g_failure;  // the last opening's failure, handed out by pointer

TalvenorBalloon* open(const char* resourceFolder, TalvenorLogLine logLine, const char** failure) {
  routeToolkitDiagnostics(logLine);
  keepToOwnFolders();
  gdk_set_allowed_backends(allowedBackends(logLine));
  // Nothing parsed or logged may depend on the locale.
  gtk_disable_setlocale();
  keepDaemonsFromStarting(logLine);
  BalloonWindow* balloon = nullptr;
  g_failure.clear();
  bool opened;
  {
    const DisplayWatchdog watchdog(kDisplayPatience, logLine,
                                   "Cannot open display " + displayName() + ": no answer within " +
                                       std::to_string(kDisplayPatience.count()) +
                                       " s, balloon not shown");
    opened = gtk_init_check(nullptr, nullptr);
  }
  if (!opened) {
    g_failure = "Cannot open display " + displayName() + ": balloon not shown";
  } else {
    watchRunEndings(logLine, displayName());
    // Pango reads the font configuration on a thread of its own, started when the font map is
    // first asked for; asked for now, it reads while GTK parses its theme and the interface.
    pango_cairo_font_map_get_default();
    balloon = buildBalloon(resourceFolder, g_failure);
  }
  *failure = g_failure.c_str();
  return reinterpret_cast<TalvenorBalloon*>(balloon);
}

BalloonWindow& self(TalvenorBalloon* balloon) {
  return *reinterpret_cast<BalloonWindow*>(balloon);
}

struct Scheduled {
  TalvenorAction action;
  void* context;
};

gboolean runScheduled(gpointer data) {
  const auto* scheduled = static_cast<const Scheduled*>(data);
  scheduled->action(scheduled->context);
  return G_SOURCE_REMOVE;
}

void dropScheduled(gpointer data) {
  delete static_cast<Scheduled*>(data);
}

const TalvenorToolkitTable kTable = {
    .open = open,
    .close = [](TalvenorBalloon* b) { delete &self(b); },
    .setKeepAbove = [](TalvenorBalloon* b) { self(b).setKeepAbove(); },
    .setOnAllWorkspaces = [](TalvenorBalloon* b) { self(b).setOnAllWorkspaces(); },
    .setNotMovable = [](TalvenorBalloon* b) { self(b).setNotMovable(); },
    .setAccessoryPolicy = [](TalvenorBalloon* b) { self(b).setAccessoryPolicy(); },
    .setApplicationIconImage = [](TalvenorBalloon* b,
                                  const char* path) { self(b).setApplicationIconImage(path); },
    .scheduleOnce =
        [](TalvenorBalloon*, unsigned milliseconds, TalvenorAction action, void* context) {
          g_timeout_add_full(G_PRIORITY_DEFAULT, milliseconds, runScheduled,
                             new Scheduled{action, context}, dropScheduled);
        },
    .terminate = [](TalvenorBalloon*) { gtk_main_quit(); },
    .run = [](TalvenorBalloon* b) { return self(b).run(); },
    .setBalloonIconImage = [](TalvenorBalloon* b,
                              const char* path) { self(b).setBalloonIconImage(path); },
    .setBalloonText = [](TalvenorBalloon* b, const char* text) { self(b).setBalloonText(text); },
    .balloonText = [](TalvenorBalloon* b) { return self(b).balloonText(); },
    .setEffectActive = [](TalvenorBalloon* b) { self(b).setEffectActive(); },
    .playSound = [](TalvenorBalloon* b, const char* name) { self(b).playSound(name); },
    .setTextDirectionFrom = [](TalvenorBalloon* b,
                               const char* sentence) { self(b).setTextDirectionFrom(sentence); },
    .setBalloonIconName = [](TalvenorBalloon* b,
                             const char* name) { self(b).setBalloonIconName(name); },
};

}  // namespace
}  // namespace platform::gtk

extern "C" __attribute__((visibility("default"))) int talvenor_toolkit_fill(
    TalvenorToolkitTable* table, size_t tableSize) {
  if (tableSize != sizeof(TalvenorToolkitTable)) return 0;
  *table = platform::gtk::kTable;
  return 1;
}
