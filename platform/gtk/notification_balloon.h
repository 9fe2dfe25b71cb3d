#pragma once

#include <string>

#include "platform/toolkit_abi.h"

// The balloon as a notification of the desktop's own service, for where no window can be shown
// that keeps out of the user's way: its icon and sentence, shown as the run starts and closed as
// it ends. The desktop keeps a notification above, on every workspace and without the focus; the
// service plays no sound, the program's own plays as with the window. Those of the window's
// operations that are not here have nothing to do.
namespace platform::gtk::notification {

// The balloon on the session bus's notification service; null when none answers in time.
TalvenorBalloon* reach(const std::string& resourceFolder, TalvenorLogLine logLine);

void close(TalvenorBalloon* balloon);
// Shows the notification, runs the main loop until terminate, then closes the notification. A
// notification the service does not take ends the run at once, with one line and status 2.
int run(TalvenorBalloon* balloon);
void setBalloonIconImage(TalvenorBalloon* balloon, const char* imagePath);
void setBalloonText(TalvenorBalloon* balloon, const char* text);
const char* balloonText(TalvenorBalloon* balloon);
void playSound(TalvenorBalloon* balloon, const char* name);

}  // namespace platform::gtk::notification
