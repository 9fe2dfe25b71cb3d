#include <dlfcn.h>

#include "platform/log_line.h"
#include "platform/resources.h"
#include "platform/toolkit.h"

namespace platform {

ToolkitOpening openToolkit() {
  const std::string path = toolkitModulePath();
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return {nullptr, std::string("Cannot load the toolkit: ") + dlerror()};
  // The module stays loaded for the rest of the process.
  auto open =
      reinterpret_cast<decltype(&talvenor_open_toolkit)>(dlsym(module, "talvenor_open_toolkit"));
  if (open == nullptr) return {nullptr, "Cannot load the toolkit: no entry point in " + path};
  const ToolkitSetup setup{resourceFolder(), NSLog};
  std::unique_ptr<ToolkitOpening> opening(open(&setup));
  return std::move(*opening);
}

}  // namespace platform
