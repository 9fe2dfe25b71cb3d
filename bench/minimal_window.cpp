// The least a gtkmm program does to show the balloon's content: an undecorated notification
// window with the 64-pixel icon beside the wrapped sentence, laid out in code and styled by the
// balloon's own style sheet so that it has the same size, run the way gtkmm 3 documents
// (Gtk::Application; Gtk::Main is deprecated). The balloon is measured against it.
//   minimal-window RESOURCE-FOLDER TEXT
// Built a second time as minimal-window-with-sound, which also plays the balloon's sound through
// libcanberra, as the balloon does, before the window is shown: what the balloon would be
// measured against if the sound counted on both sides.
#include <gtkmm.h>
#ifdef MINIMAL_WINDOW_PLAYS_SOUND
#include <canberra.h>
#endif

int main(int argc, char** argv) {
  if (argc != 3) return 1;
  const std::string resources = argv[1];
  auto application = Gtk::Application::create("org.talvenor.bench.minimal");

  auto style = Gtk::CssProvider::create();
  style->load_from_path(resources + "/balloon.css");
  Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), style,
                                             GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  Gtk::Window window;
  window.set_title("Minimal");
  window.set_type_hint(Gdk::WINDOW_TYPE_HINT_NOTIFICATION);
  window.set_decorated(false);
  window.set_resizable(false);

  Gtk::Box box(Gtk::ORIENTATION_HORIZONTAL, 14);
  box.get_style_context()->add_class("balloon");
  Gtk::Image image(Gdk::Pixbuf::create_from_file(resources + "/AppIcon.icns", 64, 64));
  image.set_size_request(64, 64);
  Gtk::Label label(argv[2]);
  label.set_line_wrap(true);
  label.set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
  label.set_xalign(0);
  label.set_width_chars(28);
  label.set_max_width_chars(34);
  box.pack_start(image, Gtk::PACK_SHRINK);
  box.pack_start(label, Gtk::PACK_SHRINK);
  window.add(box);
#ifdef MINIMAL_WINDOW_PLAYS_SOUND
  ca_context* sound = nullptr;
  if (ca_context_create(&sound) == CA_SUCCESS) {
    const std::string file = resources + "/Purr.wav";
    ca_context_play(sound, 0, CA_PROP_MEDIA_FILENAME, file.c_str(), nullptr);
  }
#endif
  window.show_all();
  return application->run(window);
}
