#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>

#include "platform/toolkit_abi.h"

namespace platform {

// The balloon as the program drives it through the toolkit module's table.
class Toolkit {
 public:
  Toolkit(const TalvenorToolkitTable& table, TalvenorBalloon* balloon);
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  // One of the table's operations on this balloon; text crosses as C strings.
  template <typename Result, typename... Parameters, typename... Arguments>
  Result call(Result (*TalvenorToolkitTable::*operation)(TalvenorBalloon*, Parameters...),
              const Arguments&... arguments) {
    return (table_.*operation)(balloon_, crossing(arguments)...);
  }

  // The action is kept here, on the program's side, until the process ends; the module only
  // holds a pointer to it.
  void scheduleOnce(unsigned milliseconds, std::function<void()> action);

 private:
  static const char* crossing(const std::string& text) { return text.c_str(); }

  TalvenorToolkitTable table_;
  TalvenorBalloon* balloon_;
  std::list<std::function<void()>> scheduled_;
};

struct ToolkitOpening {
  std::unique_ptr<Toolkit> toolkit;
  std::string failure;  // why there is no toolkit, as one log message
};

// Loads the toolkit module, connects to the display and builds the window.
ToolkitOpening openToolkit();

}  // namespace platform
