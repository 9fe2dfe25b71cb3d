#include "notifier/view_controller.h"

#include <cstdlib>

#include "agent/kelm_agent.h"
#include "config/optional_text.h"
#include "config/patch_data_switch.h"
#include "logging/kelm_logger.h"
#include "platform/files.h"
#include "platform/log_line.h"
#include "platform/resources.h"

using platform::NSLog;

namespace {

constexpr unsigned kCloseAfterMilliseconds = 15000;
const std::string kDefaultSentence =
    "has been successfully updated. You can now use the application.";

}  // namespace

ViewController::ViewController(std::vector<std::string> arguments, WindowLoader loadWindow)
    : arguments_(std::move(arguments)), loadWindow_(std::move(loadWindow)) {}

void ViewController::viewDidLoad() {
  KelmLogger::changeLogStream("Brisvane", true);
  NSLog("Log Open:Talvenor");
  if (arguments_.size() <= 1) {
    NSLog("Arguments are low, No App name is given");
    std::exit(1);
  }
  appNameArg = arguments_[1];
  NSLog("Given App Name " + config::renderOptional(appNameArg));

  if (!config::checkIfApplicationRunningPromptEnabled()) {
    NSLog("Not showing Talvenor");
    std::exit(0);
  }
  if (!KelmAgent().isApplicationRunningPromptShown(*appNameArg)) {
    NSLog("Talvenor: The Application is not running while patching, hence brisvane not shown");
    std::exit(0);
  }

  window_ = &loadWindow_();
  window_->setAccessoryPolicy();
  fillBalloon();
  window_->scheduleOnce(kCloseAfterMilliseconds, [this] {
    NSLog("Log close:Talvenor");
    window_->terminate();
  });
}

void ViewController::fillBalloon() {
  const std::string iconPath =
      platform::pathForResource("AppIcon", "icns").value_or("Path not available");
  if (platform::fileExists(iconPath)) {
    window_->setBalloonIconImage(iconPath);
    NSLog("Initially setting default image for appIcon :" + iconPath);
  } else {
    NSLog("Default AppIcon not available " + iconPath);
  }

  if (const std::optional<Rebrand> rebrand = config::getRebrandDetails(); !rebrand) {
    NSLog("Rebrand Changes not available");
  } else if (rebrand->isRebranded == "TRUE") {
    const std::string logoPath = KelmAgent::basePath() + "/images/rebranded-agent-logo.png";
    if (platform::fileExists(logoPath)) {
      window_->setBalloonIconImage(logoPath);
      window_->setApplicationIconImage(logoPath);
      NSLog("Using Rebranded AppIcon " + logoPath);
      if (rebrand->productName && !rebrand->productName->empty())
        window_->setBalloonIconName(*rebrand->productName);
    }
  } else {
    NSLog("Not Rebranded");
  }

  if (const auto customization = config::getCustomizationData()) {
    setCustomizationData(*customization);
  } else {
    window_->setBalloonText(*appNameArg + " " + kDefaultSentence);
    window_->setTextDirectionFrom(kDefaultSentence);
  }
  NSLog("Printing the ballon text " + window_->balloonText());

  window_->setEffectActive();
  NSLog("Showing Notification and Playing Sound");
  window_->playSound("Purr");
}

void ViewController::setCustomizationData(
    const ApplicationRunningPromptCustomization& customization) {
  NSLog("Printing customizationData " + config::describe(customization));
  const std::string sentence = customization.successNotificationMessage.value_or(kDefaultSentence);
  window_->setBalloonText(*appNameArg + " " + sentence);
  window_->setTextDirectionFrom(sentence);
}
