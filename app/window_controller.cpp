#include "app/window_controller.h"

namespace {

constexpr unsigned kPlacementDelayMilliseconds = 1000;

}  // namespace

void WindowController::windowDidLoad(platform::Toolkit& window) {
  window.scheduleOnce(kPlacementDelayMilliseconds, [&window] {
    window.call(&TalvenorToolkitTable::setKeepAbove);
    window.call(&TalvenorToolkitTable::setOnAllWorkspaces);
    window.call(&TalvenorToolkitTable::setNotMovable);
  });
}
