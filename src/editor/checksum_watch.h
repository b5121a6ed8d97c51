#ifndef TIVOK_EDITOR_CHECKSUM_WATCH_H_
#define TIVOK_EDITOR_CHECKSUM_WATCH_H_

#include <optional>
#include <string>
#include <vector>

#include "editor/editor_host.h"
#include "editor/save_history.h"
#include "rom/checksum.h"

namespace tivok {

// The open image's two checksums as the editor knows them: read from the
// file when the image is opened or another program changed it, and
// followed through Tivok's own writes without reading the file again; and
// Edit, Fix Cartridge Checksum, which sets the global checksum right.
class ChecksumWatch {
 public:
  explicit ChecksumWatch(EditorHost& editor) : editor_(editor) {}
  ChecksumWatch(const ChecksumWatch&) = delete;
  ChecksumWatch& operator=(const ChecksumWatch&) = delete;

  // Edit, Fix Cartridge Checksum: writes the global checksum that the
  // image's bytes give, as one step of the history.
  void OnFixChecksum();

  // Reads them from the image at `path`; forgets them when it cannot.
  // Each of these shows the checksum mark while the global checksum is
  // stale, and withdraws it once it is right or not known.
  void Read(const std::string& path);
  void Forget();
  // Follows Tivok's own write of `edits` (each byte before and after).
  void Apply(const std::vector<ByteEdit>& edits);

  // True when the global checksum is known to be stale.
  bool stale() const { return checksums_ && !checksums_->global_right(); }
  // What the status line says of them once the image is opened: that the
  // header checksum is wrong; nothing when it is right or not known.
  std::string Note() const;

 private:
  // Shows or withdraws the checksum mark as the global checksum is.
  void ShowMark();

  EditorHost& editor_;
  std::optional<Checksums> checksums_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_CHECKSUM_WATCH_H_
