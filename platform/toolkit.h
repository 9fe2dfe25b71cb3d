#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The application object, its one window and the window's views, as the program drives them.
// Implemented by the toolkit module, which is loaded only when a balloon is to be shown.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // The window; each call does nothing once the window is gone.
  virtual void setKeepAbove() = 0;
  virtual void setOnAllWorkspaces() = 0;
  virtual void setNotMovable() = 0;

  // The application.
  virtual void setAccessoryPolicy() = 0;
  virtual void setApplicationIconImage(const std::string& imagePath) = 0;
  virtual void scheduleOnce(unsigned milliseconds, std::function<void()> action) = 0;
  virtual void terminate() = 0;
  // Shows the window and runs the main loop until terminate; yields the exit status.
  virtual int run() = 0;

  // The views: the icon, the text, the effect root; and the sound.
  virtual void setBalloonIconImage(const std::string& imagePath) = 0;
  virtual void setBallonText(const std::string& text) = 0;
  virtual std::string ballonText() const = 0;
  virtual void setEffectActive() = 0;
  virtual void playSound(const std::string& name) = 0;
};

struct ToolkitOpening {
  std::unique_ptr<Toolkit> toolkit;
  std::string failure;  // why there is no toolkit, as one log message
};

// What the module needs from the program.
struct ToolkitSetup {
  std::string resourceFolder;
  void (*logLine)(std::string_view message);
};

// Loads the toolkit's two modules, connects to the display and builds the window.
ToolkitOpening openToolkit();

}  // namespace platform

// The display module's entry points: connecting to the display (or setting `failure` to one log
// message), then having GTK parse its theme.
extern "C" void talvenor_open_display(const platform::ToolkitSetup* setup, std::string* failure);
extern "C" void talvenor_load_theme();
// The balloon module's entry point, called once the display is open.
extern "C" platform::ToolkitOpening* talvenor_open_toolkit(const platform::ToolkitSetup* setup);
