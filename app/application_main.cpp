#include "app/application_main.h"

#include <cstdlib>
#include <memory>

#include "app/app_delegate.h"
#include "app/window_controller.h"
#include "notifier/view_controller.h"
#include "platform/log_line.h"
#include "platform/log_redirect.h"
#include "platform/text.h"

namespace {

// The balloon was wanted but the toolkit could not show it.
constexpr int kToolkitFailureStatus = 2;

}  // namespace

int applicationMain(int argc, char** argv) {
  platform::openClosedStandardStreams();
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(platform::repairUtf8(argv[i]));

  AppDelegate delegate;
  WindowController windowController;
  std::unique_ptr<platform::Toolkit> toolkit;
  ViewController viewController(std::move(arguments), [&]() -> platform::Toolkit& {
    platform::ToolkitOpening opening = platform::openToolkit();
    if (!opening.toolkit) {
      platform::NSLog(opening.failure);
      std::exit(kToolkitFailureStatus);
    }
    toolkit = std::move(opening.toolkit);
    windowController.windowDidLoad(*toolkit);
    return *toolkit;
  });

  viewController.viewDidLoad();
  delegate.applicationDidFinishLaunching();
  const int status = toolkit->run();
  delegate.applicationWillTerminate();
  return status;
}
