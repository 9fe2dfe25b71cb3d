#include "probe/exit_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include "probe/proc_status.h"
#include "probe/spawn.h"

namespace probe {
namespace {

bool exitedCleanly(int status) {
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

[[noreturn]] void execTraced(const Command& command) {
  ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
  raise(SIGSTOP);  // lets the parent set its options before the program starts
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, STDOUT_FILENO);
  dup2(null, STDERR_FILENO);
  std::vector<char*> argv = execArguments(command);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

std::optional<double> timedRun(const Command& command) {
  const double start = nowMilliseconds();
  const pid_t child = spawnQuiet(command);
  if (child < 0) return std::nullopt;
  const int status = reap(child);
  const double elapsed = nowMilliseconds() - start;
  if (!exitedCleanly(status)) return std::nullopt;
  return elapsed;
}

std::optional<ExitFootprint> tracedRun(const Command& command) {
  const pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) execTraced(command);

  int status = reap(child);
  if (!WIFSTOPPED(status)) return std::nullopt;
  ptrace(PTRACE_SETOPTIONS, child, nullptr,
         PTRACE_O_TRACEEXIT | PTRACE_O_TRACEEXEC | PTRACE_O_EXITKILL);
  ptrace(PTRACE_CONT, child, nullptr, nullptr);

  ExitFootprint footprint;
  for (;;) {
    status = reap(child);
    if (WIFEXITED(status) || WIFSIGNALED(status)) break;
    long forwarded = 0;
    const int event = status >> 16;
    if (event == PTRACE_EVENT_EXIT) {
      footprint.peakKib = peakResidentKib(child);
      footprint.guiLibraries = guiLibrariesMapped(child);
    } else if (event == 0 && WSTOPSIG(status) != SIGTRAP) {
      forwarded = WSTOPSIG(status);  // an ordinary signal: the program must still get it
    }
    ptrace(PTRACE_CONT, child, nullptr, reinterpret_cast<void*>(forwarded));
  }
  if (!exitedCleanly(status) || footprint.peakKib < 0) return std::nullopt;
  return footprint;
}

}  // namespace probe
