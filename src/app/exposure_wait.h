#ifndef TIVOK_APP_EXPOSURE_WAIT_H_
#define TIVOK_APP_EXPOSURE_WAIT_H_

#include <chrono>

class QWindow;

namespace tivok {

// Runs the event loop, sleeping between events, until the window system
// has put `window` on screen (exposed it) or `limit` has passed. Returns
// whether the window was exposed within `limit`.
bool WaitUntilExposed(QWindow& window, std::chrono::milliseconds limit);

}  // namespace tivok

#endif  // TIVOK_APP_EXPOSURE_WAIT_H_
