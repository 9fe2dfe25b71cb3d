#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

std::string readToEnd(int fd) {
  std::string output;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      output.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      return output;
    }
  }
}

}  // namespace

std::string runCapturingStandardOutput(const std::string& launchPath,
                                       const std::vector<std::string>& arguments) {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return {};

  SpawnActions actions;
  posix_spawn_file_actions_adddup2(actions.get(), pipeFds[1], STDOUT_FILENO);
  // Whatever else this process holds open, the child gets only 0, 1 and 2.
  posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(launchPath.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t child = 0;
  const int spawnError =
      posix_spawn(&child, launchPath.c_str(), actions.get(), nullptr, argv.data(), environ);
  close(pipeFds[1]);
  std::string output = spawnError == 0 ? readToEnd(pipeFds[0]) : std::string();
  close(pipeFds[0]);
  if (spawnError == 0) {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  return output;
}

int currentProcessId() {
  return getpid();
}

}  // namespace platform
