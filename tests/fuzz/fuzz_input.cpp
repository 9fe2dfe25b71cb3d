#include "tests/fuzz/fuzz_input.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

const std::string path = "/dev/shm/talvenor-fuzz-" + std::to_string(getpid()) + ".plist";

struct RemoveAtExit {
  ~RemoveAtExit() { unlink(path.c_str()); }
} removeAtExit;

}  // namespace

const std::string& inputFile(std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  require(fd >= 0);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    require(n > 0);
    done += static_cast<std::size_t>(n);
  }
  close(fd);
  return path;
}

void require(bool promise) {
  if (!promise) __builtin_trap();
}
