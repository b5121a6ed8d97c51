#ifndef TIVOK_ROM_FILE_SEAM_H_
#define TIVOK_ROM_FILE_SEAM_H_

#include <string>

#include "rom/file_faults.h"

// How the file layer consults the test seam of file_faults.h. Test builds
// compile the file layer with TIVOK_FILE_SEAM and link the seam; every
// other build gets constant answers here, so that neither a call nor a
// symbol of the seam is left in the programs that are shipped.
namespace tivok::file_seam {

#ifdef TIVOK_FILE_SEAM
inline bool Fails(FileStep step) { return FileFaultDue(step); }
inline const std::string& PathToCheck(const std::string& path) {
  return tivok::PathToCheck(path);
}
#else
constexpr bool Fails(FileStep) { return false; }
inline const std::string& PathToCheck(const std::string& path) { return path; }
#endif

}  // namespace tivok::file_seam

#endif  // TIVOK_ROM_FILE_SEAM_H_
