#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>

#include "platform/toolkit_abi.h"

namespace platform {

// The application object, its one window and the window's views, as the program drives them;
// each call goes through the toolkit module's table.
class Toolkit {
 public:
  Toolkit(const TalvenorToolkitTable& table, TalvenorBalloon* balloon);
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  void setKeepAbove() { table_.setKeepAbove(balloon_); }
  void setOnAllWorkspaces() { table_.setOnAllWorkspaces(balloon_); }
  void setNotMovable() { table_.setNotMovable(balloon_); }

  void setAccessoryPolicy() { table_.setAccessoryPolicy(balloon_); }
  void setApplicationIconImage(const std::string& imagePath) {
    table_.setApplicationIconImage(balloon_, imagePath.c_str());
  }
  void scheduleOnce(unsigned milliseconds, std::function<void()> action);
  void terminate() { table_.terminate(balloon_); }
  int run() { return table_.run(balloon_); }

  void setBalloonIconImage(const std::string& imagePath) {
    table_.setBalloonIconImage(balloon_, imagePath.c_str());
  }
  void setBalloonText(const std::string& text) { table_.setBalloonText(balloon_, text.c_str()); }
  std::string balloonText() const { return table_.balloonText(balloon_); }
  void setEffectActive() { table_.setEffectActive(balloon_); }
  void playSound(const std::string& name) { table_.playSound(balloon_, name.c_str()); }
  void setBalloonIconName(const std::string& name) {
    table_.setBalloonIconName(balloon_, name.c_str());
  }
  void setTextDirectionFrom(const std::string& sentence) {
    table_.setTextDirectionFrom(balloon_, sentence.c_str());
  }

 private:
  TalvenorToolkitTable table_;
  TalvenorBalloon* balloon_;
  // Kept here, on the program's side, until the process ends; the module only holds pointers.
  std::list<std::function<void()>> scheduled_;
};

struct ToolkitOpening {
  std::unique_ptr<Toolkit> toolkit;
  std::string failure;  // why there is no toolkit, as one log message
};

// Loads the toolkit module, connects to the display and builds the window.
ToolkitOpening openToolkit();

}  // namespace platform
