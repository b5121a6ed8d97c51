#include "rom/file_faults.h"

#include <array>
#include <cstddef>
#include <utility>

namespace tivok {
namespace {

constexpr std::size_t kSteps = 6;

// What is armed at one step: how many more runs before the failure and
// before the action; -1 when there is none. The program has one thread,
// so plain counters do.
struct Armed {
  int fault_in = -1;
  int hook_in = -1;
  std::function<void()> hook;
};

std::array<Armed, kSteps> armed;
std::string redirected;

Armed& At(FileStep step) { return armed[static_cast<std::size_t>(step)]; }

// Counts one run down; true for the run that was armed.
bool CountDown(int& left) {
  if (left < 0) return false;
  return left-- == 0;
}

}  // namespace

void ArmFileFault(FileStep step, int skip) { At(step).fault_in = skip; }

void ArmFileHook(FileStep step, std::function<void()> action, int skip) {
  At(step).hook_in = skip;
  At(step).hook = std::move(action);
}

void RedirectPathCheck(std::string other) { redirected = std::move(other); }

void DisarmFileFaults() {
  armed.fill({});
  redirected.clear();
}

bool FileFaultDue(FileStep step) {
  Armed& at = At(step);
  if (CountDown(at.hook_in)) {
    // Taken out first: the action may run the file layer again.
    const std::function<void()> action = std::move(at.hook);
    at.hook = nullptr;
    action();
  }
  return CountDown(at.fault_in);
}

const std::string& PathToCheck(const std::string& path) {
  return redirected.empty() ? path : redirected;
}

}  // namespace tivok
