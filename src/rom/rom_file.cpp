#include "rom/rom_file.h"

#include "rom/hex_text.h"
#include "rom/image_file.h"

namespace tivok {
namespace {

// The `count` bytes from `position` of the open `file`. Fails, rather than
// padding, when they run past the end of the file.
std::vector<std::uint8_t> ReadFrom(ImageFile& file, FilePosition position,
                                   int count) {
  const std::int64_t offset = static_cast<std::int64_t>(position) - 1;
  if (offset + count > file.size()) {
    throw RomFileError("cannot read " + std::to_string(count) + " bytes at " +
                       OffsetText(position) + " of " + Quoted(file.path()) +
                       ": the file has only " + std::to_string(file.size()) +
                       " bytes");
  }
  std::vector<std::uint8_t> block(static_cast<std::size_t>(count));
  file.ReadAt(offset, block.data(), block.size());
  return block;
}

// The header title of the open `file`, one character per byte.
std::string TitleOf(ImageFile& file) {
  // Element 0 is the byte before the title area and is not used.
  const std::vector<std::uint8_t> block =
      ReadFrom(file, RomFile::kTitlePosition - 1, RomFile::kTitleLength + 1);
  return std::string(block.begin() + 1, block.end());
}

// Writes `value` at `position` of the open `file`, flushes and closes it.
void WriteInto(ImageFile& file, FilePosition position, std::uint8_t value) {
  if (position < 1 || static_cast<std::int64_t>(position) > file.size()) {
    throw RomFileError("cannot write at " + OffsetText(position) + " of " +
                       Quoted(file.path()) + ": the file has only " +
                       std::to_string(file.size()) +
                       " bytes, and it is never lengthened");
  }
  file.WriteAt(static_cast<std::int64_t>(position) - 1, value);
  file.FlushAndClose();
}

}  // namespace

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

void FailNotRegular(const std::string& path) {
  throw RomFileError("cannot open " + Quoted(path) +
                     ": it is not a regular file");
}

void FailDevice(const std::string& path) {
  throw RomFileError("cannot open " + Quoted(path) +
                     ": it is a device, not a file");
}

// The system would take the name only up to the NUL and open another file.
// The message shows the NUL as \0, since it would end the text there.
void FailNulInName(const std::string& path) {
  std::string shown;
  for (const char c : path) {
    if (c == '\0') {
      shown += "\\0";
    } else {
      shown += c;
    }
  }
  throw RomFileError("cannot open " + Quoted(shown) +
                     ": the name contains a NUL character");
}

void FailEndedEarly(const std::string& path) {
  throw RomFileError("cannot read " + Quoted(path) +
                     ": the file ended early (was it truncated?)");
}

void FailByteNotWritten(const std::string& path) {
  throw RomFileError("cannot write to " + Quoted(path) +
                     ": the byte was not written");
}

std::vector<std::uint8_t> RomFile::ReadBlock(const std::string& path,
                                             FilePosition position, int count) {
  if (position < 1) {
    throw RomFileError("cannot read " + Quoted(path) + ": " +
                       OffsetText(position) +
                       " lies before the file's first byte");
  }
  if (count < 0) {
    throw RomFileError("cannot read " + Quoted(path) +
                       ": a negative number of bytes was asked for");
  }
  ImageFile file(path, ImageFile::Access::kRead);
  return ReadFrom(file, position, count);
}

void RomFile::WriteByte(const std::string& path, FilePosition position,
                        std::uint8_t value) {
  ImageFile file(path, ImageFile::Access::kReadWrite);
  WriteInto(file, position, value);
}

bool RomFile::WriteByteIfTitleAccepted(const std::string& path,
                                       FilePosition position,
                                       std::uint8_t value) {
  ImageFile file(path, ImageFile::Access::kReadWrite);
  if (!IsAcceptedTitle(TitleOf(file))) return false;
  WriteInto(file, position, value);
  return true;
}

std::string RomFile::ReadRomTitle(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kRead);
  return TitleOf(file);
}

bool RomFile::IsAcceptedTitle(std::string_view title) {
  if (title.size() != kAcceptedTitle.size()) return false;
  for (std::size_t i = 0; i < title.size(); ++i) {
    char c = title[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kAcceptedTitle[i]) return false;
  }
  return true;
}

}  // namespace tivok
