#include "rom/file_faults.h"

#include <array>
#include <cstddef>

namespace tivok {
namespace {

constexpr std::size_t kSteps = 5;

// How many more times each step runs before it fails; -1 when it never
// does. The program has one thread, so plain counters do.
std::array<int, kSteps> countdown = {-1, -1, -1, -1, -1};

std::size_t IndexOf(FileStep step) { return static_cast<std::size_t>(step); }

}  // namespace

void ArmFileFault(FileStep step, int skip) { countdown[IndexOf(step)] = skip; }

void DisarmFileFaults() { countdown.fill(-1); }

bool FileFaultDue(FileStep step) {
  int& left = countdown[IndexOf(step)];
  if (left < 0) return false;
  return left-- == 0;
}

}  // namespace tivok
