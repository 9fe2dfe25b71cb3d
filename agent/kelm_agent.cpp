#include "agent/kelm_agent.h"

#include "agent/install_locations.h"
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

std::string KelmAgent::outputForGivenCommand(const std::string& launchPath,
                                             const std::vector<std::string>& arguments) {
  return platform::repairUtf8(platform::runCapturingStandardOutput(launchPath, arguments));
}

std::string KelmAgent::parentProcessText(int pid) {
  return outputForGivenCommand("/bin/sh", {"-c", "/bin/ps -o ppid= " + std::to_string(pid)});
}
