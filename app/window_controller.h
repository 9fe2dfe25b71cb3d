#pragma once

#include "platform/toolkit.h"

// Turns the balloon's window into a floating panel on every workspace that cannot be dragged.
class WindowController {
 public:
  // Arms the placement timer.
  void windowDidLoad(platform::Toolkit& window);
};
