#include <dlfcn.h>

#include "platform/log_line.h"
#include "platform/resources.h"
#include "platform/toolkit.h"

namespace platform {
namespace {

void logLine(const char* message) {
  NSLog(message);
}

void runAction(void* context) {
  (*static_cast<std::function<void()>*>(context))();
}

}  // namespace

Toolkit::Toolkit(const TalvenorToolkitTable& table, TalvenorBalloon* balloon)
    : table_(table), balloon_(balloon) {}

Toolkit::~Toolkit() {
  table_.close(balloon_);
}

void Toolkit::scheduleOnce(unsigned milliseconds, std::function<void()> action) {
  scheduled_.push_back(std::move(action));
  table_.scheduleOnce(balloon_, milliseconds, runAction, &scheduled_.back());
}

ToolkitOpening openToolkit() {
  const std::string path = toolkitModulePath();
  // The module stays loaded for the rest of the process.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return {nullptr, std::string("Cannot load the toolkit: ") + dlerror()};
  auto* fill =
      reinterpret_cast<decltype(&talvenor_toolkit_fill)>(dlsym(module, "talvenor_toolkit_fill"));
  TalvenorToolkitTable table{};
  if (fill == nullptr || fill(&table, sizeof table) == 0)
    return {nullptr, "Cannot load the toolkit: no entry point in " + path};

  const char* failure = nullptr;
  TalvenorBalloon* balloon = table.open(resourceFolder().c_str(), logLine, &table, &failure);
  if (balloon == nullptr) return {nullptr, failure};
  return {std::make_unique<Toolkit>(table, balloon), ""};
}

}  // namespace platform
