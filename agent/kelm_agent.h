#pragma once

#include <string>
#include <vector>

// The agent's environment: where it is installed, and running a command.
class KelmAgent {
 public:
  // Each folder is computed at its first read and kept for the process.
  static const std::string& basePath();
  static const std::string& agentPath();
  static const std::string& logsPath();
  static const std::string& userLogsPath();

  // The program's whole standard output as text; empty when it cannot be started.
  std::string outputForGivenCommand(const std::string& launchPath,
                                    const std::vector<std::string>& arguments);

  // What the process-status command prints for the parent of the process `pid`.
  std::string parentProcessText(int pid);
};
