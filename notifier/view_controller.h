#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/customization.h"
#include "config/rebrand.h"
#include "platform/toolkit.h"

// The balloon's controller: its load step makes the whole decision, fills the balloon and arms
// the close timer.
class ViewController {
 public:
  using Rebrand = config::Rebrand;
  using ApplicationRunningPromptCustomization = config::ApplicationRunningPromptCustomization;
  // Loads the window once the balloon is to be shown; the toolkit is not touched before.
  using WindowLoader = std::function<platform::Toolkit&()>;

  ViewController(std::vector<std::string> arguments, WindowLoader loadWindow);

  // Ends the process on the paths that show nothing; returns with the balloon filled.
  void viewDidLoad();

  void setCustomizationData(const ApplicationRunningPromptCustomization& customization);

 private:
  void fillBalloon();

  std::vector<std::string> arguments_;
  WindowLoader loadWindow_;
  platform::Toolkit* window_ = nullptr;
  std::optional<std::string> appNameArg;
};
