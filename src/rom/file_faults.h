#ifndef TIVOK_ROM_FILE_FAULTS_H_
#define TIVOK_ROM_FILE_FAULTS_H_

#include <functional>
#include <string>

namespace tivok {

// The steps of the file layer at which a test can stage a failure or run
// an action of its own. kLook is the look at the path after the flush.
enum class FileStep { kOpenForWriting, kRead, kWrite, kFlush, kClose, kLook };

// A seam for tests, contained only in test builds (the shipped programs
// link the file layer without it, see src/CMakeLists.txt). It reaches what
// a test cannot cause for real: as root, permissions stop nothing, disks
// seldom fail on request, and another program seldom acts at the one
// moment between two system calls. Nothing in the program arms it.

// Makes `step` fail once, the (skip + 1)th time it runs from now on, as a
// failing system would and with the system's own reason (access denied
// for an open, an I/O error for the others).
void ArmFileFault(FileStep step, int skip = 0);
// Runs `action` once, just before the (skip + 1)th run of `step` from now
// on: for kWrite right before the check of the file's length that
// precedes each byte's write, for kFlush right before the flush's system
// call.
void ArmFileHook(FileStep step, std::function<void()> action, int skip = 0);
// Makes the look at the path after the flush see the file at `other`, as
// though another program had put that file in the image's place. For
// systems where a file that is open cannot be replaced by name.
void RedirectPathCheck(std::string other);
// Forgets everything armed.
void DisarmFileFaults();

// For the file layer of test builds: runs the hook due at `step`, then
// tells whether `step` is to fail this time.
bool FileFaultDue(FileStep step);
// For the file layer of test builds: the path to look at for `path`.
const std::string& PathToCheck(const std::string& path);

}  // namespace tivok

#endif  // TIVOK_ROM_FILE_FAULTS_H_
