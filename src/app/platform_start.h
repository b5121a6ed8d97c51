#ifndef TIVOK_APP_PLATFORM_START_H_
#define TIVOK_APP_PLATFORM_START_H_

namespace tivok {

// Stands guard while QApplication starts its platform, the window system's
// connection. Where it finds none (no display), Qt would end the program
// with several lines of its own and a core dump; the guard says so in one
// line on standard error instead, naming what to set, and exits with status
// 1. Qt's other messages meanwhile are held and passed on once it has
// started. One guard at a time.
class PlatformStart {
 public:
  PlatformStart();
  PlatformStart(const PlatformStart&) = delete;
  PlatformStart& operator=(const PlatformStart&) = delete;
  ~PlatformStart();

  // The application has started: passes the held messages on.
  void Started();
};

}  // namespace tivok

#endif  // TIVOK_APP_PLATFORM_START_H_
