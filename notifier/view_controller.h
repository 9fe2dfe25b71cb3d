#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/customization.h"
#include "config/rebrand.h"
#include "platform/toolkit.h"

// What the load step reads besides the arguments: the program gives the installed agent, its own
// files and the process-status command; a test gives folders of its own.
struct Surroundings {
  std::string agentFolder;  // where the agent is installed
  // Where the program's own files are; looked for only once the balloon is to be shown.
  std::function<std::string()> resourceFolder;
  int processId = 0;
  // What the process-status command prints for this process's parent; asked at the prompt gate.
  std::function<std::string()> parentProcessText;
};

// The balloon's controller: its load step makes the whole decision, fills the balloon and arms
// the close timer.
class ViewController {
 public:
  using Rebrand = config::Rebrand;
  using ApplicationRunningPromptCustomization = config::ApplicationRunningPromptCustomization;
  // Loads the window once the balloon is to be shown; the toolkit is not touched before. Null,
  // its reason logged, when the balloon cannot be shown.
  using WindowLoader = std::function<platform::Toolkit*()>;

  ViewController(std::vector<std::string> arguments, Surroundings surroundings,
                 WindowLoader loadWindow);

  // The exit status on the paths that show nothing; nothing once the balloon is filled.
  std::optional<int> viewDidLoad();

  void setCustomizationData(const ApplicationRunningPromptCustomization& customization);

 private:
  void fillBalloon();

  std::vector<std::string> arguments_;
  Surroundings surroundings_;
  WindowLoader loadWindow_;
  platform::Toolkit* window_ = nullptr;
  std::optional<std::string> appNameArg;
};
