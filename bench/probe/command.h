#pragma once

#include <string>
#include <vector>

namespace probe {

// One measured case: its label in the table and the program with its arguments.
struct Command {
  std::string name;
  std::vector<std::string> argv;
};

// Reads groups "--case NAME PROGRAM ARGUMENTS..." from argv[first] on; each "--case" starts a
// new group. Throws std::invalid_argument on a group without a program.
std::vector<Command> parseCommands(int argc, char** argv, int first);

// The command as exec wants it: pointers into `command`, ending in a null pointer.
std::vector<char*> execArguments(const Command& command);

}  // namespace probe
