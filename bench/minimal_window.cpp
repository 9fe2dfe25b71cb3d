// The least a GTK program does to show the balloon's content: an undecorated notification
// window with the 64-pixel icon beside the wrapped sentence, laid out in code and styled by the
// balloon's own style sheet so that it has the same size, on GTK's C API with no GApplication.
// The balloon is measured against it.
//   minimal-window RESOURCE-FOLDER TEXT
// Built a second time as minimal-window-with-sound, which also plays the balloon's sound through
// libcanberra, as the balloon does, before the window is shown.
#include <gtk/gtk.h>
#ifdef MINIMAL_WINDOW_PLAYS_SOUND
#include <canberra.h>
#endif

#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 1;
  const std::string resources = argv[1];
  gtk_init(nullptr, nullptr);

  GtkCssProvider* style = gtk_css_provider_new();
  gtk_css_provider_load_from_path(style, (resources + "/balloon.css").c_str(), nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(style),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Minimal");
  gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_NOTIFICATION);
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);

  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 14);
  gtk_style_context_add_class(gtk_widget_get_style_context(box), "balloon");
  GdkPixbuf* icon =
      gdk_pixbuf_new_from_file_at_size((resources + "/AppIcon.icns").c_str(), 64, 64, nullptr);
  GtkWidget* image = gtk_image_new_from_pixbuf(icon);
  gtk_widget_set_size_request(image, 64, 64);
  GtkWidget* label = gtk_label_new(argv[2]);
  gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
  gtk_label_set_xalign(GTK_LABEL(label), 0);
  gtk_label_set_width_chars(GTK_LABEL(label), 28);
  gtk_label_set_max_width_chars(GTK_LABEL(label), 34);
  gtk_box_pack_start(GTK_BOX(box), image, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), label, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(window), box);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
#ifdef MINIMAL_WINDOW_PLAYS_SOUND
  ca_context* sound = nullptr;
  if (ca_context_create(&sound) == CA_SUCCESS) {
    const std::string file = resources + "/Purr.wav";
    ca_context_play(sound, 0, CA_PROP_MEDIA_FILENAME, file.c_str(), nullptr);
  }
#endif
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
