// The toolkit module: connects to the display, builds the balloon on GTK's C API and lists its
// operations in the one table of C functions through which the program reaches it. Loaded only
// once both gates have said yes.
#include <gtk/gtk.h>

#include <cstdlib>
#include <string>

#include "platform/gtk/balloon_text.h"
#include "platform/gtk/balloon_window.h"
#include "platform/gtk/colour_scheme.h"
#include "platform/gtk/display_watchdog.h"
#include "platform/gtk/icon_loading.h"
#include "platform/gtk/notification_balloon.h"
#include "platform/gtk/own_folders.h"
#include "platform/gtk/peer_probes.h"
#include "platform/gtk/run_endings.h"
#include "platform/gtk/toolkit_diagnostics.h"

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

// The two sets of operations, listed below with this function among them.
extern const TalvenorToolkitTable kWindowTable, kNotificationTable;

TalvenorBalloon* open(const char* resourceFolder, TalvenorLogLine logLine,
                      TalvenorToolkitTable* table, const char** failure) {
  routeToolkitDiagnostics(logLine);
  keepToOwnFolders();
  const Backends backends = allowedBackends(logLine);
  gdk_set_allowed_backends(backends.allowed);
  // Nothing parsed or logged may depend on the locale.
  gtk_disable_setlocale();
  keepDaemonsFromStarting(logLine);
  TalvenorBalloon* balloon = nullptr;
  g_failure.clear();
  bool opened;
  {
    const DisplayWatchdog watchdog(kDisplayPatience, logLine,
                                   "Cannot open display " + displayName() + ": no answer within " +
                                       std::to_string(kDisplayPatience.count()) +
                                       " s, balloon not shown");
    opened = gtk_init_check(nullptr, nullptr);
  }
  if (opened) {
    watchRunEndings(logLine, displayName());
    // Pango reads the font configuration on a thread of its own, started when the font map is
    // first asked for; asked for now, it reads while GTK parses its theme and the interface.
    pango_cairo_font_map_get_default();
    balloon = reinterpret_cast<TalvenorBalloon*>(buildBalloon(resourceFolder, g_failure));
    *table = kWindowTable;
  } else if (!backends.notificationsOtherwise) {
    g_failure = "Cannot open display " + displayName() + ": balloon not shown";
  } else if ((balloon = notification::reach(resourceFolder, logLine)) == nullptr) {
    g_failure = "Cannot open display " + displayName() +
                " nor reach a notification service: balloon not shown";
  } else {
    logLine("Showing the balloon through the desktop's notification service");
    watchRunEndings(logLine, displayName());
    *table = kNotificationTable;
  }
  *failure = g_failure.c_str();
  return balloon;
}

BalloonWindow& self(TalvenorBalloon* balloon) {
  return *reinterpret_cast<BalloonWindow*>(balloon);
}

// The image at the icon's logical size, drawn at the display's scale so it stays crisp.
Surface iconSurface(const char* path, int scale) {
  const ObjectRef<GdkPixbuf> pixbuf = loadIcon(path, kIconSize * scale);
  if (!pixbuf) return nullptr;
  return Surface(gdk_cairo_surface_create_from_pixbuf(pixbuf.get(), scale, nullptr));
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

// The operations, in the table's order. Those on the window do nothing once the user closed it.

void close(TalvenorBalloon* balloon) {
  delete &self(balloon);
}

void setKeepAbove(TalvenorBalloon* balloon) {
  if (GtkWindow* window = self(balloon).window_) gtk_window_set_keep_above(window, TRUE);
}

void setOnAllWorkspaces(TalvenorBalloon* balloon) {
  if (GtkWindow* window = self(balloon).window_) gtk_window_stick(window);
}

void setNotMovable(TalvenorBalloon* balloon) {
  GtkWindow* window = self(balloon).window_;
  if (window == nullptr) return;
  gtk_widget_realize(GTK_WIDGET(window));
  // Every window-manager function but moving.
  gdk_window_set_functions(gtk_widget_get_window(GTK_WIDGET(window)),
                           static_cast<GdkWMFunction>(GDK_FUNC_RESIZE | GDK_FUNC_MINIMIZE |
                                                      GDK_FUNC_MAXIMIZE | GDK_FUNC_CLOSE));
}

void setAccessoryPolicy(TalvenorBalloon* balloon) {
  GtkWindow* window = self(balloon).window_;
  if (window == nullptr) return;
  gtk_window_set_skip_taskbar_hint(window, TRUE);
  gtk_window_set_skip_pager_hint(window, TRUE);
  gtk_window_set_focus_on_map(window, FALSE);
  gtk_window_set_accept_focus(window, FALSE);
}

void setApplicationIconImage(TalvenorBalloon*, const char* imagePath) {
  if (const ObjectRef<GdkPixbuf> icon = loadImage(imagePath)) {
    gtk_window_set_default_icon(icon.get());
  } else {
    gtk_window_set_default_icon_list(nullptr);
  }
}

void scheduleOnce(TalvenorBalloon*, unsigned milliseconds, TalvenorAction action, void* context) {
  g_timeout_add_full(G_PRIORITY_DEFAULT, milliseconds, runScheduled, new Scheduled{action, context},
                     dropScheduled);
}

void terminate(TalvenorBalloon*) {
  gtk_main_quit();
}

int run(TalvenorBalloon* balloon) {
  BalloonWindow& window = self(balloon);
  if (window.window_ != nullptr) {
    window.placeOnScreen();
    gtk_widget_show_all(GTK_WIDGET(window.window_));
  }
  gtk_main();
  return runEndStatus();
}

void setBalloonIconImage(TalvenorBalloon* balloon, const char* imagePath) {
  GtkImage* icon = self(balloon).balloonIcon_;
  const Surface surface = iconSurface(imagePath, gtk_widget_get_scale_factor(GTK_WIDGET(icon)));
  if (surface) {
    gtk_image_set_from_surface(icon, surface.get());
  } else {
    gtk_image_clear(icon);
  }
}

void setBalloonText(TalvenorBalloon* balloon, const char* text) {
  BalloonWindow& window = self(balloon);
  window.text_ = text;
  gtk_label_set_text(window.ballonText_, text);
  window.fitTextToScreen();
  if (window.window_ != nullptr)
    atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(window.window_)), text);
}

const char* balloonText(TalvenorBalloon* balloon) {
  return self(balloon).text_.c_str();
}

void setEffectActive(TalvenorBalloon* balloon) {
  gtk_style_context_add_class(gtk_widget_get_style_context(self(balloon).effectRoot_), "active");
}

void playSound(TalvenorBalloon* balloon, const char* name) {
  BalloonWindow& window = self(balloon);
  if (window.window_ != nullptr && !gtk_widget_get_mapped(GTK_WIDGET(window.window_))) {
    window.pendingSound_ = name;
  } else {
    window.sound_.play(name, window.sessionFolder_.fd());
  }
}

void setTextDirectionFrom(TalvenorBalloon* balloon, const char* sentence) {
  BalloonWindow& window = self(balloon);
  const TextDirection direction = textDirection(sentence, messagesLocale());
  gtk_widget_set_direction(GTK_WIDGET(window.ballonText_),
                           direction.rightToLeft ? GTK_TEXT_DIR_RTL : GTK_TEXT_DIR_LTR);
  gtk_label_set_text(window.ballonText_, (direction.mark + window.text_).c_str());
}

void setBalloonIconName(TalvenorBalloon* balloon, const char* name) {
  atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(self(balloon).balloonIcon_)), name);
}

const TalvenorToolkitTable kWindowTable = {
    .open = open,
    .close = close,
    .setKeepAbove = setKeepAbove,
    .setOnAllWorkspaces = setOnAllWorkspaces,
    .setNotMovable = setNotMovable,
    .setAccessoryPolicy = setAccessoryPolicy,
    .setApplicationIconImage = setApplicationIconImage,
    .scheduleOnce = scheduleOnce,
    .terminate = terminate,
    .run = run,
    .setBalloonIconImage = setBalloonIconImage,
    .setBalloonText = setBalloonText,
    .balloonText = balloonText,
    .setEffectActive = setEffectActive,
    .playSound = playSound,
    .setTextDirectionFrom = setTextDirectionFrom,
    .setBalloonIconName = setBalloonIconName,
};

// What a notification does not have: the desktop keeps it above, on every workspace, without the
// focus and in its place, draws it and lays out its text.
void nothing(TalvenorBalloon*) {}
void nothingWith(TalvenorBalloon*, const char*) {}

const TalvenorToolkitTable kNotificationTable = {
    .open = open,
    .close = notification::close,
    .setKeepAbove = nothing,
    .setOnAllWorkspaces = nothing,
    .setNotMovable = nothing,
    .setAccessoryPolicy = nothing,
    .setApplicationIconImage = nothingWith,
    .scheduleOnce = scheduleOnce,
    .terminate = terminate,
    .run = notification::run,
    .setBalloonIconImage = notification::setBalloonIconImage,
    .setBalloonText = notification::setBalloonText,
    .balloonText = notification::balloonText,
    .setEffectActive = nothing,
    .playSound = notification::playSound,
    .setTextDirectionFrom = nothingWith,
    .setBalloonIconName = nothingWith,
};

}  // namespace
}  // namespace platform::gtk

extern "C" __attribute__((visibility("default"))) int talvenor_toolkit_fill(
    TalvenorToolkitTable* table, size_t tableSize) {
  if (tableSize != sizeof(TalvenorToolkitTable)) return 0;
  *table = platform::gtk::kWindowTable;
  return 1;
}
