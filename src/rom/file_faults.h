#ifndef TIVOK_ROM_FILE_FAULTS_H_
#define TIVOK_ROM_FILE_FAULTS_H_

namespace tivok {

// The steps of the file layer at which a failure can be staged.
enum class FileStep { kOpenForWriting, kRead, kWrite, kFlush, kClose };

// A seam for tests: makes the file layer fail at one step as a failing
// system would, through the same code and with the system's own reason
// (access denied for an open, an I/O error for the others). It reaches
// failures that a test cannot cause for real: as root, permissions stop
// nothing, and disks seldom fail on request. Nothing in the program arms
// it. The step fails once, the (skip + 1)th time it runs from now on.
void ArmFileFault(FileStep step, int skip = 0);
// Forgets every staged failure.
void DisarmFileFaults();
// For the file layers: true when `step` is to fail this time.
bool FileFaultDue(FileStep step);

}  // namespace tivok

#endif  // TIVOK_ROM_FILE_FAULTS_H_
