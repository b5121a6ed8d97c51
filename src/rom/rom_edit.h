#ifndef TIVOK_ROM_ROM_EDIT_H_
#define TIVOK_ROM_ROM_EDIT_H_

#include <cstdint>
#include <memory>
#include <string>

#include "rom/rom_file.h"

namespace tivok {

class ImageFile;

// One image opened for changing bytes in place: a save, an undo or a
// command-line change. The header title is read on the open file when the
// object is made, so a check of it and the writes that follow concern one
// and the same file even if another program replaces the file by name
// meanwhile. Nothing reaches the file but WriteByte's bytes, and Commit
// reports success only once they are on the disk. The file is closed when
// the object goes, without a flush if Commit was not reached. WriteBytes
// (image_write.h) replaces it: it stays only until its callers have moved.
class RomEdit {
 public:
  // Opens `path` for reading and writing and reads its header title.
  // Throws RomFileError when either fails.
  explicit RomEdit(const std::string& path);
  RomEdit(const RomEdit&) = delete;
  RomEdit& operator=(const RomEdit&) = delete;
  ~RomEdit();

  const std::string& title() const { return title_; }
  bool TitleAccepted() const { return RomFile::IsAcceptedTitle(title_); }
  // The file's length in bytes.
  std::int64_t size() const;

  // The byte at `position`; fails when it lies outside the file.
  std::uint8_t ReadByte(FilePosition position);
  // Writes `value` at `position`, which must lie inside the file.
  void WriteByte(FilePosition position, std::uint8_t value);
  // Like WriteByte, and returns the byte that was there before.
  std::uint8_t Replace(FilePosition position, std::uint8_t value);
  // How many bytes WriteByte has written.
  int written() const { return written_; }

  // Hands what was written to the disk and closes the file. Throws
  // UnconfirmedWriteError when bytes were written but the flush or the
  // close failed. With nothing written it only closes the file.
  void Commit();

 private:
  std::unique_ptr<ImageFile> file_;
  std::string title_;
  int written_ = 0;
};

}  // namespace tivok

#endif  // TIVOK_ROM_ROM_EDIT_H_
