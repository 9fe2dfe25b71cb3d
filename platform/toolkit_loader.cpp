#include <dlfcn.h>

#include <future>
#include <system_error>

#include "platform/log_line.h"
#include "platform/resources.h"
#include "platform/toolkit.h"

namespace platform {
namespace {

struct Module {
  void* handle = nullptr;
  std::string failure;
};

// Modules stay loaded for the rest of the process.
Module loadModule(const std::string& path) {
  Module module;
  module.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module.handle == nullptr)
    module.failure = std::string("Cannot load the toolkit: ") + dlerror();
  return module;
}

template <typename Entry>
Entry* entryPoint(const Module& module, const char* name) {
  return reinterpret_cast<Entry*>(dlsym(module.handle, name));
}

std::string noEntryPoint(const std::string& path) {
  return "Cannot load the toolkit: no entry point in " + path;
}

}  // namespace

ToolkitOpening openToolkit() {
  const ToolkitSetup setup{resourceFolder(), NSLog};
  const std::string displayPath = displayModulePath();
  const Module display = loadModule(displayPath);
  if (display.handle == nullptr) return {nullptr, display.failure};
  auto* openDisplay = entryPoint<decltype(talvenor_open_display)>(display, "talvenor_open_display");
  auto* loadTheme = entryPoint<decltype(talvenor_load_theme)>(display, "talvenor_load_theme");
  if (openDisplay == nullptr || loadTheme == nullptr) return {nullptr, noEntryPoint(displayPath)};

  std::string displayFailure;
  openDisplay(&setup, &displayFailure);
  // Relocating the C++ bindings is most of the balloon module's loading and needs nothing of the
  // display: it runs on a second thread while GTK parses its theme on this one. Not sooner: GTK
  // starts threads while it connects, and no thread can start while another loads a module.
  // The C++ libraries' constructors, which run on that thread, only intern GLib quarks: a lock
  // neither thread holds while waiting for the other.
  const std::string balloonPath = toolkitModulePath();
  std::future<Module> loading;
  try {
    loading = std::async(std::launch::async, loadModule, balloonPath);
  } catch (const std::system_error&) {
    // No thread to be had: the module loads on this thread once the theme is parsed.
    loading = std::async(std::launch::deferred, loadModule, balloonPath);
  }
  if (displayFailure.empty()) loadTheme();
  const Module balloon = loading.get();

  if (balloon.handle == nullptr) return {nullptr, balloon.failure};
  if (!displayFailure.empty()) return {nullptr, displayFailure};
  auto* open = entryPoint<decltype(talvenor_open_toolkit)>(balloon, "talvenor_open_toolkit");
  if (open == nullptr) return {nullptr, noEntryPoint(balloonPath)};
  std::unique_ptr<ToolkitOpening> opening(open(&setup));
  return std::move(*opening);
}

}  // namespace platform
