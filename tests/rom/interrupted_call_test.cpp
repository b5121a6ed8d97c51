// The POSIX file layer's system calls: pread and pwrite are replaced here,
// for the whole test program, by versions that, while a test of this file
// runs, count their calls and can fail the first one with EINTR, and fsync
// by one that counts its calls. mmap can fail as on a file system that
// cannot map files. pwrite and mmap can cut the file short first, as
// another program could in the instant after the file layer checked its
// length. Outside these tests they only make the system call: the fixture
// turns them on and off, so that the other tests of the program, in
// whatever order they run, meet the system's own calls.

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "rom/file_faults.h"
#include "rom/image_write.h"
#include "rom/rom_file.h"
#include "sample_image.h"
#include "support/file_seam_test.h"
#include "support/temp_dir.h"

namespace {

// More calls than this in one test mean a loop that does not end; the
// replacements then fail with EIO instead of going on for ever.
constexpr int kMostCalls = 100;

bool replacing = false;  // a test of this file is running
int preads = 0;
int pwrites = 0;
int fsyncs = 0;
bool interrupt_first = false;
bool unmappable = false;
int cut_at = 0;    // the write of a byte, counted from 1, to cut the file
off_t cut_to = 0;  // short before, and the length to cut it to

// Fails the first call with EINTR when asked to, and every call past
// kMostCalls with EIO.
bool Interrupted(int calls) {
  if (calls > kMostCalls) {
    errno = EIO;
    return true;
  }
  if (calls == 1 && interrupt_first) {
    errno = EINTR;
    return true;
  }
  return false;
}

}  // namespace

extern "C" ssize_t pread(int fd, void* data, size_t count, off_t offset) {
  if (replacing && Interrupted(++preads)) return -1;
  return ::syscall(SYS_pread64, fd, data, count, offset);
}

extern "C" ssize_t pwrite(int fd, const void* data, size_t count,
                          off_t offset) {
  if (replacing && Interrupted(++pwrites)) return -1;
  if (replacing && cut_at > 0 && --cut_at == 0) ::ftruncate(fd, cut_to);
  return ::syscall(SYS_pwrite64, fd, data, count, offset);
}

// The file layer maps a file only to write a byte.
extern "C" void* mmap(void* at, size_t length, int protection, int flags,
                      int fd, off_t offset) {
  if (replacing && fd >= 0 && unmappable) {
    errno = ENODEV;
    return MAP_FAILED;
  }
  if (replacing && fd >= 0 && cut_at > 0 && --cut_at == 0) {
    ::ftruncate(fd, cut_to);
  }
  return reinterpret_cast<void*>(
      ::syscall(SYS_mmap, at, length, protection, flags, fd, offset));
}

extern "C" int fsync(int fd) {
  if (replacing) ++fsyncs;
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace tivok {
namespace {

// Writes `value` at `offset` of the image at `path`, whatever is there.
WriteReport WriteOne(const std::string& path, FileOffset offset,
                     std::uint8_t value) {
  return WriteBytes({path, {{offset, std::nullopt, value}}});
}

using ::tivok::testing::ReadAll;
using ::tivok::testing::TempDir;

// Turns the replaced calls on, with fresh counts, for the test's duration.
class InterruptedCall : public ::tivok::testing::FileSeamTest {
 protected:
  void SetUp() override {
    FileSeamTest::SetUp();
    preads = pwrites = fsyncs = 0;
    interrupt_first = false;
    unmappable = false;
    cut_at = 0;
    replacing = true;
  }
  void TearDown() override {
    replacing = false;
    FileSeamTest::TearDown();
  }
};

// A read and a write that start with errno still EINTR from an earlier
// call return normally after one call each; an interrupted call is made
// again once.
TEST_F(InterruptedCall, RetriesOnlyAnInterruptedCall) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  std::vector<std::uint8_t> expected = MakeSampleImage();
  for (const bool interrupted : {false, true}) {
    SCOPED_TRACE(interrupted ? "first call interrupted" : "errno left EINTR");
    const int calls = interrupted ? 2 : 1;
    interrupt_first = interrupted;
    preads = 0;
    errno = EINTR;
    EXPECT_EQ(
        RomFile::ReadBlock(path, 0x2476B, 2),
        (std::vector<std::uint8_t>{expected[0x2476B], expected[0x2476C]}));
    EXPECT_EQ(preads, calls);

    // Bytes are written with pwrite where the file cannot be mapped.
    unmappable = true;
    pwrites = 0;
    errno = EINTR;
    EXPECT_TRUE(WriteOne(path, 0x2476B, interrupted ? 0x2A : 0x2B).ok());
    EXPECT_EQ(pwrites, calls);
    expected[0x2476B] = interrupted ? 0x2A : 0x2B;
    interrupt_first = false;
    unmappable = false;
    EXPECT_EQ(ReadAll(path), expected);
  }
}

// Opening, writing and every kind of failure close only the file layer's
// own descriptor: standard input and one that the test opened stay open
// and keep naming what they named.
TEST_F(InterruptedCall, LeavesOtherDescriptorsOpen) {
  TempDir dir;
  const std::string path = dir.WriteSample("sample.gbc");
  const std::string other = dir.WriteSample("other.gbc");
  const int own = ::open(other.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(own, 0);
  struct stat before_own {
  }, before_input{};
  ASSERT_EQ(::fstat(own, &before_own), 0);
  // Where the test runs without standard input, one is opened for it.
  if (::fstat(0, &before_input) != 0) {
    ASSERT_EQ(::open("/dev/null", O_RDONLY), 0);
    ASSERT_EQ(::fstat(0, &before_input), 0);
  }

  EXPECT_TRUE(WriteOne(path, 0x2476B, 9).ok());
  EXPECT_EQ(RomFile::ReadBlock(path, 0x2476B, 1)[0], 9);
  EXPECT_FALSE(WriteOne(path, 0x7FFFFFFF, 1).ok());
  EXPECT_THROW(RomFile::ReadBlock(dir.path(), 0, 1), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock(dir.File("missing.gbc"), 0, 1), RomFileError);
  EXPECT_THROW(RomFile::ReadBlock("/dev/null", 0, 1), RomFileError);

  struct stat after {};
  ASSERT_EQ(::fstat(own, &after), 0);
  EXPECT_EQ(after.st_ino, before_own.st_ino);
  EXPECT_EQ(after.st_dev, before_own.st_dev);
  ASSERT_EQ(::fstat(0, &after), 0) << "standard input was closed";
  EXPECT_EQ(after.st_ino, before_input.st_ino);
  EXPECT_EQ(after.st_dev, before_input.st_dev);
  ::close(own);
}

// Another program cuts the file short between the check of its length and
// the write of the second byte: that byte is not written, the file keeps
// the length that program left, and the report counts only its change of
// length. Only where the file cannot be mapped does the write lengthen the
// file again; the length that program left is not known then, so the file
// is not cut back, and the report says so.
TEST_F(InterruptedCall, NeverLengthensAFileCutShortJustBeforeAWrite) {
  struct Case {
    const char* name;
    FileOffset first;  // the first byte's; the second is slot 1 of Portal
    off_t cut_to;
    bool unmappable;
    std::int64_t size_after;
    std::vector<bool> in_file;
  };
  const Case cases[] = {
      {"cut within the second byte's page",
       0x2476B,
       149356,
       false,
       149356,
       {true, false}},
      {"cut before the second byte's page",
       0xFFF,
       0x2000,
       false,
       0x2000,
       {true, false}},
      {"cut where the file cannot be mapped",
       0x2476B,
       149356,
       true,
       0x2478D,
       {true, true}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.WriteSample(std::string(c.name) + ".gbc");
    unmappable = c.unmappable;
    cut_at = 2;
    cut_to = c.cut_to;
    const WriteReport report = WriteBytes(
        {path, {{c.first, std::nullopt, 9}, {0x2478C, std::nullopt, 9}}});
    EXPECT_EQ(cut_at, 0);
    EXPECT_EQ(report.outcome, WriteReport::Outcome::kLengthChanged);
    EXPECT_EQ(report.size_before, 262144);
    EXPECT_EQ(report.size_after, c.size_after);
    EXPECT_EQ(report.in_file, c.in_file);
    EXPECT_EQ(report.may_have_lengthened, c.unmappable);
    std::vector<std::uint8_t> expected = MakeSampleImage();
    expected.resize(c.cut_to);
    expected[static_cast<std::size_t>(c.first)] = 9;
    if (c.unmappable) {
      expected.resize(0x2478D, 0);  // the gap that the system filled
      expected.back() = 9;
    }
    EXPECT_EQ(ReadAll(path), expected);
  }
}

// A write is flushed to the disk before it is reported, and so is the
// write-back after a failure.
TEST_F(InterruptedCall, FlushesEveryWriteToTheDisk) {
  TempDir dir;
  const auto flushes = [&dir](const std::string& name) {
    fsyncs = 0;
    const WriteReport report =
        WriteBytes({dir.WriteSample(name), {{0x2476B, 1, 9}, {0x2476C, 2, 9}}});
    EXPECT_NE(report.outcome, WriteReport::Outcome::kUnconfirmed);
    return fsyncs;
  };
  EXPECT_EQ(flushes("written.gbc"), 1);
  // The second write fails: the first is written back.
  ArmFileFault(FileStep::kWrite, 1);
  EXPECT_EQ(flushes("written-back.gbc"), 1);
}

}  // namespace
}  // namespace tivok
