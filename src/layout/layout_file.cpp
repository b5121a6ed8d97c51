#include "layout/layout_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <span>

#include "rom/describe.h"
#include "rom/file_path.h"
#include "rom/image_file.h"
#include "rom/patch_read.h"
#include "rom/rom_file.h"

namespace tivok {
namespace {

constexpr char kLimitText[] =
    "the 1048576 bytes (1 MiB) that a layout may have";

// The kind of file whose text begins with `text`.
std::optional<PatchFormat> FormatOf(std::string_view text) {
  const std::span<const std::uint8_t> bytes(
      reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  if (BeginsAsIps(bytes)) return PatchFormat::kIps;
  if (BeginsAsBps(bytes)) return PatchFormat::kBps;
  return std::nullopt;
}

std::size_t LimitOf(const std::optional<PatchFormat>& patch) {
  return patch ? static_cast<std::size_t>(kPatchLimit - 1) : kLayoutLimit;
}

// "the layout "a.csv"", "the patch "a.ips"", or for standard input "the
// layout" and `on` ("on standard input", "from standard input").
std::string Subject(const std::string& path, const char* on) {
  if (path.empty()) return std::string("the layout ") + on;
  return (PatchFormatNamed(path) ? "the patch " : "the layout ") + Quoted(path);
}

LayoutText Refused(std::string reason) { return {{}, std::nullopt, reason}; }

// Why the file at `path` could not be read: the system's reason, and for a
// folder the C library's words on every system.
LayoutText Unreadable(const std::string& path, const RomFileError& error) {
  const std::string reason =
      error.kind() == RomFileError::Kind::kFolder ? std::strerror(EISDIR)
      : error.reason().empty()                    ? std::string(error.what())
                                                  : error.reason();
  return Refused("cannot read " + Subject(path, "") + ": " + reason);
}

// Why text of `size` bytes, or more when `more`, is too long for its
// kind; nothing when it is not.
std::string TooLong(const LayoutText& read, std::size_t size, bool more,
                    const std::string& path) {
  if (size <= LimitOf(read.patch) && !more) return {};
  const std::string subject = Subject(path, "on standard input");
  if (read.patch) {
    return subject + " has " + std::to_string(more ? kPatchLimit : size) +
           (more ? " bytes or more" : " bytes") + ", and " + PatchLimitText();
  }
  return subject + " has " + (more ? "" : std::to_string(size) + " bytes, ") +
         "more than " + kLimitText;
}

// What `in` holds, read up to a little past the limit of its kind: the
// stream at `path`, or standard input for an empty path.
LayoutText FromStream(std::istream& in, const std::string& path) {
  LayoutText read;
  char buffer[4096];
  // read() turns a failing stream buffer (a closed standard input, a read
  // error) into badbit rather than an exception.
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    read.text.append(buffer, static_cast<std::size_t>(in.gcount()));
    read.patch = FormatOf(read.text);
    if (read.text.size() > LimitOf(read.patch)) {
      return Refused(TooLong(read, LimitOf(read.patch), true, path));
    }
  }
  if (in.bad())
    return Refused("cannot read " + Subject(path, "from standard input"));
  return read;
}

// A pipe or a device at `path`, read as a stream, which may wait.
LayoutText ReadStream(const std::string& path) {
  std::ifstream in(FileSystemPath(path), std::ios::binary);
  if (!in) {
    return Refused("cannot read " + Subject(path, "") + ": " +
                   std::strerror(errno != 0 ? errno : EIO));
  }
  return FromStream(in, path);
}

}  // namespace

LayoutText ReadLayoutFile(const std::string& path, Streams streams) {
  try {
    // Opened as an image is: a FIFO or a device is refused without being
    // waited on, before a byte is read.
    ImageFile file(path, ImageFile::Access::kRead);
    const auto size = static_cast<std::size_t>(file.size());
    LayoutText read;
    read.text.resize(std::min<std::size_t>(size, 5));
    file.ReadAt(0, reinterpret_cast<std::uint8_t*>(read.text.data()),
                read.text.size());
    read.patch = FormatOf(read.text);
    if (!read.patch && PatchFormatNamed(path)) {
      return Refused(Subject(path, "") +
                     " is neither an IPS patch, which begins with \"PATCH\", "
                     "nor a BPS patch, which begins with \"BPS1\"");
    }
    if (std::string why = TooLong(read, size, false, path); !why.empty()) {
      return Refused(std::move(why));
    }
    read.text.resize(size);
    file.ReadAt(0, reinterpret_cast<std::uint8_t*>(read.text.data()), size);
    return read;
  } catch (const RomFileError& error) {
    if (error.kind() == RomFileError::Kind::kNotAFile &&
        streams == Streams::kRead) {
      return ReadStream(path);
    }
    return Unreadable(path, error);
  }
}

LayoutText ReadLayoutFrom(std::istream& in) { return FromStream(in, {}); }

std::optional<PatchFormat> PatchFormatNamed(const std::string& path) {
  const std::string name = Lower(FileName(path));
  if (name.ends_with(".ips")) return PatchFormat::kIps;
  if (name.ends_with(".bps")) return PatchFormat::kBps;
  return std::nullopt;
}

bool NamedAsLayoutOrPatch(const std::string& path) {
  return Lower(FileName(path)).ends_with(".csv") ||
         PatchFormatNamed(path).has_value();
}

}  // namespace tivok
