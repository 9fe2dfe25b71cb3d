#pragma once

// The boundary between the program and its toolkit module. Only C types cross it: the program
// links its C++ runtime statically and the module carries its own, so no C++ object, exception
// or allocation may pass from one side to the other. Text passed in is only read during the
// call; text handed back is owned by the module.

#include <stddef.h>

extern "C" {

struct TalvenorBalloon;  // the module's window and application, opaque to the program

typedef void (*TalvenorLogLine)(const char* message);
typedef void (*TalvenorAction)(void* context);

struct TalvenorToolkitTable {
  // Connects to the display and builds the balloon from the resource folder, and sets *table to
  // the operations of what it built: a window, or a notification of the desktop's service. Null
  // when it fails, with *failure set to one log message, valid until the next call.
  TalvenorBalloon* (*open)(const char* resourceFolder, TalvenorLogLine logLine,
                           TalvenorToolkitTable* table, const char** failure);
  void (*close)(TalvenorBalloon* balloon);

  // The window; each call does nothing once the window is gone.
  void (*setKeepAbove)(TalvenorBalloon* balloon);
  void (*setOnAllWorkspaces)(TalvenorBalloon* balloon);
  void (*setNotMovable)(TalvenorBalloon* balloon);

  // The application.
  void (*setAccessoryPolicy)(TalvenorBalloon* balloon);
  void (*setApplicationIconImage)(TalvenorBalloon* balloon, const char* imagePath);
  void (*scheduleOnce)(TalvenorBalloon* balloon, unsigned milliseconds, TalvenorAction action,
                       void* context);
  void (*terminate)(TalvenorBalloon* balloon);
  // Shows the window and runs the main loop until terminate; yields the exit status.
  int (*run)(TalvenorBalloon* balloon);

  // The views and the sound.
  void (*setBalloonIconImage)(TalvenorBalloon* balloon, const char* imagePath);
  void (*setBalloonText)(TalvenorBalloon* balloon, const char* text);
  // Valid until the text is next set.
  const char* (*balloonText)(TalvenorBalloon* balloon);
  void (*setEffectActive)(TalvenorBalloon* balloon);
  void (*playSound)(TalvenorBalloon* balloon, const char* name);
  // The text's paragraph direction follows `sentence`, the part after the application's name.
  void (*setTextDirectionFrom)(TalvenorBalloon* balloon, const char* sentence);
  // What assistive technologies call the icon: the product's name.
  void (*setBalloonIconName)(TalvenorBalloon* balloon, const char* name);
};

// The module's one export. Fills the table and returns 1 when the module was built with a
// table of `tableSize` bytes; returns 0, touching nothing, when it was not.
int talvenor_toolkit_fill(TalvenorToolkitTable* table, size_t tableSize);
}
