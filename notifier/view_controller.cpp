#include "notifier/view_controller.h"

#include "agent/install_locations.h"
#include "agent/prompt_check.h"
#include "config/optional_text.h"
#include "config/patch_data_switch.h"
#include "platform/files.h"
#include "platform/log_line.h"

using platform::NSLog;
using Table = TalvenorToolkitTable;

namespace {

constexpr unsigned kCloseAfterMilliseconds = 15000;
// The balloon was wanted but the toolkit could not show it.
constexpr int kToolkitFailureStatus = 2;
const std::string kDefaultSentence =
    "has been successfully updated. You can now use the application.";

}  // namespace

ViewController::ViewController(std::vector<std::string> arguments, Surroundings surroundings,
                               WindowLoader loadWindow)
    : arguments_(std::move(arguments)),
      surroundings_(std::move(surroundings)),
      loadWindow_(std::move(loadWindow)) {}

std::optional<int> ViewController::viewDidLoad() {
  NSLog("Log Open:Talvenor");
  if (arguments_.size() <= 1) {
    NSLog("Arguments are low, No App name is given");
    return 1;
  }
  appNameArg = arguments_[1];
  NSLog("Given App Name " + config::renderOptional(appNameArg));

  const std::string dataFolder = surroundings_.agentFolder + "/data";
  if (!config::checkIfApplicationRunningPromptEnabled(dataFolder)) {
    NSLog("Not showing Talvenor");
    return 0;
  }
  if (!agent::recordedParentMatches(*appNameArg, surroundings_.processId,
                                    surroundings_.parentProcessText(),
                                    dataFolder + "/ApplicationRunningPromptData.plist")) {
    NSLog("Talvenor: The Application is not running while patching, hence brisvane not shown");
    return 0;
  }

  window_ = loadWindow_();
  if (window_ == nullptr) return kToolkitFailureStatus;
  window_->call(&Table::setAccessoryPolicy);
  fillBalloon();
  window_->scheduleOnce(kCloseAfterMilliseconds, [this] {
    NSLog("Log close:Talvenor");
    window_->call(&Table::terminate);
  });
  return std::nullopt;
}

void ViewController::fillBalloon() {
  const std::string iconPath = surroundings_.resourceFolder() + "/AppIcon.icns";
  if (platform::fileExists(iconPath)) {
    window_->call(&Table::setBalloonIconImage, iconPath);
    NSLog("Initially setting default image for appIcon :" + iconPath);
  } else {
    NSLog("Default AppIcon not available Path not available");
  }

  const std::string& agentFolder = surroundings_.agentFolder;
  const std::optional<Rebrand> rebrand =
      config::getRebrandDetails(agent::chooseSystemDataPath(agentFolder, platform::fileExists));
  if (!rebrand) {
    NSLog("Rebrand Changes not available");
  } else if (rebrand->isRebranded == "TRUE") {
    const std::string logoPath = agentFolder + "/images/rebranded-agent-logo.png";
    if (platform::fileExists(logoPath)) {
      window_->call(&Table::setBalloonIconImage, logoPath);
      window_->call(&Table::setApplicationIconImage, logoPath);
      NSLog("Using Rebranded AppIcon " + logoPath);
      if (rebrand->productName && !rebrand->productName->empty())
        window_->call(&Table::setBalloonIconName, *rebrand->productName);
    }
  } else {
    NSLog("Not Rebranded");
  }

  if (const auto customization = config::getCustomizationData(agentFolder + "/data")) {
    setCustomizationData(*customization);
  } else {
    window_->call(&Table::setBalloonText, *appNameArg + " " + kDefaultSentence);
    window_->call(&Table::setTextDirectionFrom, kDefaultSentence);
  }
  NSLog("Printing the ballon text " + std::string(window_->call(&Table::balloonText)));

  window_->call(&Table::setEffectActive);
  NSLog("Showing Notification and Playing Sound");
  window_->call(&Table::playSound, "Purr");
}

void ViewController::setCustomizationData(
    const ApplicationRunningPromptCustomization& customization) {
  NSLog("Printing customizationData " + config::describe(customization));
  const std::string sentence = customization.successNotificationMessage.value_or(kDefaultSentence);
  window_->call(&Table::setBalloonText, *appNameArg + " " + sentence);
  window_->call(&Table::setTextDirectionFrom, sentence);
}
