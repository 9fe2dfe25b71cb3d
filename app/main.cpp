#include "logging/kelm_logger.h"
#include "platform/log_line.h"

int main() {
  KelmLogger::changeLogStream("Brisvane", true);
  platform::NSLog("Log Open:Talvenor");
  return 0;
}
