#include "accessibility_events.h"

#include <QAccessibleBridge>
#include <QAccessibleBridgePlugin>
#include <QApplication>
#include <QtPlugin>
#include <algorithm>

namespace tivok::testing {
namespace {

AccessibilityEvents* recording = nullptr;
// Qt owns the bridge once it is created, but never deletes it on this
// platform; kept here, it is not a leak.
QAccessibleBridge* bridge = nullptr;

}  // namespace

// Hands each event to the recorder that watches its object.
class EventBridge : public QAccessibleBridge {
 public:
  void setRootObject(QAccessibleInterface* /*root*/) override {}
  void notifyAccessibilityUpdate(QAccessibleEvent* event) override {
    if (recording != nullptr && event->object() == recording->object_) {
      recording->events_.push_back(event->type());
    }
  }
};

// Qt loads it as it loads a screen reader's bridge, from the key in its
// metadata (accessibility_events.json).
class EventBridgePlugin : public QAccessibleBridgePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QAccessibleBridgeFactoryInterface_iid FILE
                    "accessibility_events.json")

 public:
  QAccessibleBridge* create(const QString& /*key*/) override {
    bridge = new EventBridge;
    return bridge;
  }
};

AccessibilityEvents::AccessibilityEvents(const QObject* object)
    : object_(object) {
  recording = this;
}

AccessibilityEvents::~AccessibilityEvents() { recording = nullptr; }

int AccessibilityEvents::Readings() const {
  return static_cast<int>(std::count_if(
      events_.begin(), events_.end(),
      [](QAccessible::Event type) { return type == QAccessible::ObjectShow; }));
}

int AccessibilityEvents::Count(QAccessible::Event type) const {
  return static_cast<int>(std::count(events_.begin(), events_.end(), type));
}

bool AccessibilityEvents::Available() {
  // Qt creates the bridges with the first event.
  QAccessibleEvent probe(qApp, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&probe);
  return bridge != nullptr;
}

}  // namespace tivok::testing

Q_IMPORT_PLUGIN(EventBridgePlugin)

#include "accessibility_events.moc"
