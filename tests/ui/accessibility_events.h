#ifndef TIVOK_TESTS_UI_ACCESSIBILITY_EVENTS_H_
#define TIVOK_TESTS_UI_ACCESSIBILITY_EVENTS_H_

#include <QAccessible>
#include <vector>

class QObject;

namespace tivok::testing {

// While it lives, records the accessibility events that Qt sends for one
// object, as a screen reader would get them. They come through a bridge
// plugin built into the test program: where the platform has no screen
// reader connection of its own, as offscreen, Qt hands every event to the
// bridges whether or not a screen reader listens.
class AccessibilityEvents {
 public:
  explicit AccessibilityEvents(const QObject* object);
  ~AccessibilityEvents();
  AccessibilityEvents(const AccessibilityEvents&) = delete;
  AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

  // False where the platform hands no events to bridges (such as xcb).
  static bool Available();

  // How many of the events recorded so far make a screen reader read the
  // object again: for a notification, that it comes to be shown (screen
  // readers ignore a changed name away from the keyboard focus).
  int Readings() const;
  // How many events of `type` were recorded so far.
  int Count(QAccessible::Event type) const;
  void Clear() { events_.clear(); }

 private:
  friend class EventBridge;
  const QObject* object_;
  std::vector<QAccessible::Event> events_;
};

}  // namespace tivok::testing

#endif  // TIVOK_TESTS_UI_ACCESSIBILITY_EVENTS_H_
