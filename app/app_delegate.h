#pragma once

// Told when the application has launched and when it ends; it keeps no state of its own.
class AppDelegate {
 public:
  void applicationDidFinishLaunching() {}
  void applicationWillTerminate() {}
};
