#include "agent/kelm_agent.h"

#include "agent/install_locations.h"
#include "agent/prompt_check.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text.h"

// Function-local statics give the thread-safe once-only computation.
const std::string& KelmAgent::basePath() {
  static const std::string value = agent::probeBasePath(platform::fileExists);
  return value;
}

const std::string& KelmAgent::agentPath() {
  static const std::string value = basePath() + "/bin";
  return value;
}

const std::string& KelmAgent::logsPath() {
  static const std::string value = basePath() + "/logs";
  return value;
}

const std::string& KelmAgent::userLogsPath() {
  static const std::string value = basePath() + "/logs" + "/UserLogs";
  return value;
}

const std::string& KelmAgent::dataPath() {
  static const std::string value = basePath() + "/data";
  return value;
}

const std::string& KelmAgent::systemDataPath() {
  static const std::string value = agent::chooseSystemDataPath(basePath(), platform::fileExists);
  return value;
}

std::string KelmAgent::outputForGivenCommand(const std::string& launchPath,
                                             const std::vector<std::string>& arguments) {
  return platform::repairUtf8(platform::runCapturingStandardOutput(launchPath, arguments));
}

bool KelmAgent::isApplicationRunningPromptShown(const std::string& appName) {
  const int pid = platform::currentProcessId();
  const std::string currentParentText =
      outputForGivenCommand("/bin/sh", {"-c", "/bin/ps -o ppid= " + std::to_string(pid)});
  return agent::recordedParentMatches(appName, pid, currentParentText,
                                      dataPath() + "/ApplicationRunningPromptData.plist");
}
