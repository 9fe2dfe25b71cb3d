#include "probe/command.h"

#include <stdexcept>
#include <string_view>

namespace probe {

std::vector<Command> parseCommands(int argc, char** argv, int first) {
  std::vector<Command> commands;
  for (int i = first; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--case") {
      if (i + 1 >= argc) throw std::invalid_argument("--case without a name");
      commands.push_back({argv[++i], {}});
    } else if (commands.empty()) {
      throw std::invalid_argument(std::string("expected --case, got ") + argv[i]);
    } else {
      commands.back().argv.emplace_back(argv[i]);
    }
  }
  for (const Command& command : commands) {
    if (command.argv.empty())
      throw std::invalid_argument("case without a program: " + command.name);
  }
  return commands;
}

std::vector<char*> execArguments(const Command& command) {
  std::vector<char*> argv;
  for (const std::string& argument : command.argv) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  return argv;
}

}  // namespace probe
