#include "app/application_main.h"

#include <memory>

#include "agent/kelm_agent.h"
#include "app/app_delegate.h"
#include "app/window_controller.h"
#include "logging/kelm_logger.h"
#include "notifier/view_controller.h"
#include "platform/log_line.h"
#include "platform/log_redirect.h"
#include "platform/process.h"
#include "platform/resources.h"
#include "platform/text.h"

int applicationMain(int argc, char** argv) {
  platform::openClosedStandardStreams();
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(platform::repairUtf8(argv[i]));

  AppDelegate delegate;
  WindowController windowController;
  std::unique_ptr<platform::Toolkit> toolkit;
  const int pid = platform::currentProcessId();
  Surroundings surroundings{KelmAgent::basePath(), [] { return platform::resourceFolder(); }, pid,
                            [pid] { return KelmAgent().parentProcessText(pid); }};
  ViewController viewController(std::move(arguments), std::move(surroundings),
                                [&]() -> platform::Toolkit* {
                                  platform::ToolkitOpening opening = platform::openToolkit();
                                  if (!opening.toolkit) {
                                    platform::NSLog(opening.failure);
                                    return nullptr;
                                  }
                                  toolkit = std::move(opening.toolkit);
                                  windowController.windowDidLoad(*toolkit);
                                  return toolkit.get();
                                });

  KelmLogger::changeLogStream("Brisvane", true);
  if (const std::optional<int> status = viewController.viewDidLoad()) return *status;
  delegate.applicationDidFinishLaunching();
  const int status = toolkit->call(&TalvenorToolkitTable::run);
  delegate.applicationWillTerminate();
  return status;
}
