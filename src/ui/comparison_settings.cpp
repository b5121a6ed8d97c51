#include "ui/comparison_settings.h"

#include <QByteArray>
#include <QList>
#include <QSettings>
#include <utility>

namespace tivok {
namespace {

constexpr char kSettingsKey[] = "Comparisons";
constexpr char kImageKey[] = "image";
constexpr char kCleanKey[] = "clean";

using Entry = std::pair<QByteArray, QByteArray>;

QList<Entry> ReadEntries() {
  QSettings settings;
  QList<Entry> entries;
  const int size = settings.beginReadArray(kSettingsKey);
  for (int i = 0; i < size; ++i) {
    settings.setArrayIndex(i);
    entries.append({settings.value(kImageKey).toByteArray(),
                    settings.value(kCleanKey).toByteArray()});
  }
  settings.endArray();
  return entries;
}

void WriteEntries(const QList<Entry>& entries) {
  QSettings settings;
  // Entries past the new end would stay otherwise.
  settings.remove(kSettingsKey);
  settings.beginWriteArray(kSettingsKey, static_cast<int>(entries.size()));
  for (int i = 0; i < entries.size(); ++i) {
    settings.setArrayIndex(i);
    settings.setValue(kImageKey, entries[i].first);
    settings.setValue(kCleanKey, entries[i].second);
  }
  settings.endArray();
}

}  // namespace

std::string RememberedClean(const std::string& image) {
  const QByteArray key = QByteArray::fromStdString(image);
  for (const Entry& entry : ReadEntries()) {
    if (entry.first == key) return entry.second.toStdString();
  }
  return {};
}

void RememberClean(const std::string& image, const std::string& clean) {
  const QByteArray key = QByteArray::fromStdString(image);
  QList<Entry> entries = ReadEntries();
  entries.removeIf([&key](const Entry& entry) { return entry.first == key; });
  if (!clean.empty()) entries.prepend({key, QByteArray::fromStdString(clean)});
  WriteEntries(entries.mid(0, kMostComparisons));
}

}  // namespace tivok
