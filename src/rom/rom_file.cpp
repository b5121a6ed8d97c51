#include "rom/rom_file.h"

#include <algorithm>

#include "rom/describe.h"
#include "rom/hex_text.h"
#include "rom/image_file.h"

namespace tivok {
namespace {

// Fails unless `offset` lies at or after the file's first byte and `count`
// is not negative.
void RequireBlock(const std::string& path, FileOffset offset, int count) {
  if (offset < 0) {
    throw RomFileError("cannot read " + Quoted(path) + ": " +
                       OffsetText(offset) +
                       " lies before the file's first byte");
  }
  if (count < 0) {
    throw RomFileError("cannot read " + Quoted(path) +
                       ": a negative number of bytes was asked for");
  }
}

}  // namespace

std::string Quoted(const std::string& path) {
  return "\"" + Escaped(path) + "\"";
}

void FailWith(std::string_view action, const std::string& path,
              RomFileError::Kind kind, const std::string& reason) {
  throw RomFileError(std::string(action) + " " + Quoted(path) + ": " + reason,
                     kind, reason);
}

void FailNotRegular(const std::string& path) {
  FailWith("cannot open", path, RomFileError::Kind::kNotAFile,
           "it is not a regular file");
}

void FailDevice(const std::string& path) {
  FailWith("cannot open", path, RomFileError::Kind::kNotAFile,
           "it is a device, not a file");
}

// The system would take the name only up to the NUL and open another file.
void FailNulInName(const std::string& path) {
  FailWith("cannot open", path, RomFileError::Kind::kOther,
           "the name contains a NUL character");
}

void FailEndedEarly(const std::string& path) {
  FailWith("cannot read", path, RomFileError::Kind::kTooShort,
           "the file ended early (was it truncated?)");
}

void FailByteNotWritten(const std::string& path) {
  FailWith("cannot write to", path, RomFileError::Kind::kOther,
           "the byte was not written");
}

std::vector<std::uint8_t> ReadFrom(ImageFile& file, FileOffset offset,
                                   int count) {
  if (offset < 0) RequireBlock(file.path(), offset, count);
  if (offset + count > file.size()) {
    const std::string reason = SizeReason(file.size());
    throw RomFileError("cannot read " + std::to_string(count) +
                           (count == 1 ? " byte at " : " bytes at ") +
                           OffsetText(offset) + " of " + Quoted(file.path()) +
                           ": " + reason,
                       RomFileError::Kind::kTooShort, reason);
  }
  std::vector<std::uint8_t> block(static_cast<std::size_t>(count));
  file.ReadAt(offset, block.data(), block.size());
  return block;
}

std::string TitleOf(ImageFile& file) {
  // Element 0 is the byte before the title area and is not used.
  const std::vector<std::uint8_t> block =
      ReadFrom(file, RomFile::kTitleOffset - 1, RomFile::kTitleLength + 1);
  return std::string(block.begin() + 1, block.end());
}

void FailOutside(const std::string& path, FileOffset offset,
                 std::int64_t size) {
  const std::string reason = SizeReason(size) + ", and it is never lengthened";
  throw RomFileError("cannot write at " + OffsetText(offset) + " of " +
                         Quoted(path) + ": " + reason,
                     RomFileError::Kind::kTooShort, reason);
}

std::vector<std::uint8_t> RomFile::ReadBlock(const std::string& path,
                                             FileOffset offset, int count) {
  RequireBlock(path, offset, count);
  ImageFile file(path, ImageFile::Access::kRead);
  return ReadFrom(file, offset, count);
}

std::string RomFile::ReadRomTitle(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kRead);
  return TitleOf(file);
}

void RomFile::CheckWritable(const std::string& path) {
  ImageFile file(path, ImageFile::Access::kReadWrite);
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
