#pragma once

#include <string>
#include <vector>

// The agent's environment: where it is installed, running a command, and the check whether the
// agent's application-running prompt was shown for this run.
class KelmAgent {
 public:
  // Each folder is computed at its first read and kept for the process.
  static const std::string& basePath();
  static const std::string& agentPath();
  static const std::string& logsPath();
  static const std::string& userLogsPath();
  static const std::string& dataPath();
  static const std::string& systemDataPath();

  // The program's whole standard output as text; empty when it cannot be started.
  std::string outputForGivenCommand(const std::string& launchPath,
                                    const std::vector<std::string>& arguments);

  // Whether the agent showed its application-running prompt for `appName` in the run that
  // started this process: the parent-process ID it stored equals this process's parent's.
  bool isApplicationRunningPromptShown(const std::string& appName);
};
