#pragma once

#include <gtkmm.h>

#include "platform/gtk/event_sound.h"
#include "platform/toolkit.h"

namespace platform::gtk {

// The balloon built from the interface description, and the application around it.
class BalloonWindow : public Toolkit {
 public:
  BalloonWindow(const ToolkitSetup& setup, const Glib::RefPtr<Gtk::Builder>& builder);

  void setKeepAbove() override;
  void setOnAllWorkspaces() override;
  void setNotMovable() override;

  void setAccessoryPolicy() override;
  void setApplicationIconImage(const std::string& imagePath) override;
  void scheduleOnce(unsigned milliseconds, std::function<void()> action) override;
  void terminate() override;
  int run() override;

  void setBalloonIconImage(const std::string& imagePath) override;
  void setBallonText(const std::string& text) override;
  std::string ballonText() const override;
  void setEffectActive() override;
  void playSound(const std::string& name) override;

 private:
  void placeAtTopRight();

  Gtk::Window* window_ = nullptr;  // null once the window is gone
  Gtk::Widget* effectRoot_ = nullptr;
  Gtk::Image* balloonIcon_ = nullptr;
  Gtk::Label* ballonText_ = nullptr;
  EventSound sound_;
};

}  // namespace platform::gtk
