// TEMPORARY stand-in over RomEdit until the real write path lands.
#include "rom/image_write.h"

#include "rom/rom_edit.h"

namespace tivok {

WriteReport WriteBytes(const WriteRequest& request) {
  WriteReport report;
  report.found.assign(request.changes.size(), -1);
  report.due.assign(request.changes.size(), true);
  try {
    RomEdit edit(request.path);
    report.title = edit.title();
    report.size_before = report.size_after = edit.size();
    if (!edit.TitleAccepted()) {
      report.outcome = WriteReport::Outcome::kForeign;
      return report;
    }
    bool unexpected = false;
    for (std::size_t i = 0; i < request.changes.size(); ++i) {
      const ByteChange& change = request.changes[i];
      if (change.position < 1 || change.position > edit.size()) {
        report.outcome = WriteReport::Outcome::kOutside;
        return report;
      }
      report.found[i] = edit.ReadByte(change.position);
      if (change.expected && *change.expected != report.found[i]) {
        unexpected = true;
      }
      if (request.skip_unchanged && report.found[i] == change.value) {
        report.due[i] = false;
      }
    }
    if (unexpected) {
      report.outcome = WriteReport::Outcome::kUnexpected;
      return report;
    }
    if (request.dry_run) {
      report.outcome = WriteReport::Outcome::kWritten;
      return report;
    }
    try {
      for (std::size_t i = 0; i < request.changes.size(); ++i) {
        if (!report.due[i]) continue;
        edit.WriteByte(request.changes[i].position, request.changes[i].value);
        ++report.written;
      }
    } catch (const RomFileError& error) {
      report.outcome = WriteReport::Outcome::kWriteFailed;
      report.error = error;
      return report;
    }
    try {
      edit.Commit();
    } catch (const RomFileError& error) {
      report.outcome = WriteReport::Outcome::kUnconfirmed;
      report.error = error;
      return report;
    }
    report.outcome = WriteReport::Outcome::kWritten;
  } catch (const RomFileError& error) {
    report.outcome = WriteReport::Outcome::kNotOpened;
    report.error = error;
  }
  return report;
}

}  // namespace tivok
