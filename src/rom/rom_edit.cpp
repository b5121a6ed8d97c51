#include "rom/rom_edit.h"

#include "rom/image_file.h"

namespace tivok {

RomEdit::RomEdit(const std::string& path)
    : file_(std::make_unique<ImageFile>(path, ImageFile::Access::kReadWrite)),
      title_(TitleOf(*file_)) {}

RomEdit::~RomEdit() = default;

std::int64_t RomEdit::size() const { return file_->size(); }

std::uint8_t RomEdit::ReadByte(FilePosition position) {
  return ReadFrom(*file_, position, 1).front();
}

void RomEdit::WriteByte(FilePosition position, std::uint8_t value) {
  WriteInto(*file_, position, value);
  ++written_;
}

std::uint8_t RomEdit::Replace(FilePosition position, std::uint8_t value) {
  RequireInside(*file_, position);
  const std::uint8_t before = ReadByte(position);
  WriteByte(position, value);
  return before;
}

void RomEdit::Commit() {
  if (written_ == 0) {
    file_.reset();
    return;
  }
  try {
    file_->FlushAndClose();
  } catch (const RomFileError& error) {
    throw UnconfirmedWriteError(error.what(), error.kind(), error.reason());
  }
}

}  // namespace tivok
