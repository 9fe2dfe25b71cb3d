#include "platform/user.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace platform {

std::string loginName() {
  const uid_t uid = geteuid();
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
    return found->pw_name;
  return std::to_string(uid);
}

}  // namespace platform
