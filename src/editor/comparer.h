#ifndef TIVOK_EDITOR_COMPARER_H_
#define TIVOK_EDITOR_COMPARER_H_

#include <string>

#include "compare/comparison.h"
#include "editor/editor_host.h"

namespace tivok {

// The store editor's comparison of the open image with a clean image: File,
// Compare With... and Stop Comparing, the clean image remembered for each
// image and watched for changes, and the slots that differ, marked in the
// list and counted in the status line.
class Comparer {
 public:
  explicit Comparer(EditorHost& editor) : editor_(editor) {}
  Comparer(const Comparer&) = delete;
  Comparer& operator=(const Comparer&) = delete;

  // File, Compare With...: reads the clean image that the user chooses,
  // marks the slots that differ from it and counts them in the status
  // line, from now on and whenever the image is opened again. File, Stop
  // Comparing ends it.
  void OnCompareWith();
  void OnStopComparing();

  // Compares with the clean image remembered for the image just opened, if
  // any; returns a note when that can no longer be done, which forgets it.
  std::string Resume();
  // Ends the comparison, remembering nothing: the image was refused.
  void End();
  // Reads the clean image again, as File, Reload does or once another
  // program changed it, and marks against it as it is now. Returns what
  // changed in it, in words: its slots that changed, that none of them
  // did, or that it can no longer be compared with and why, which ends and
  // forgets the comparison. Nothing when nothing changed.
  std::string ReadAgain();
  // The note on the image as last read; empty while there is none.
  std::string Note() const;

  // The clean image compared with.
  const Comparison& comparison() const { return comparison_; }

 private:
  EditorHost& editor_;
  Comparison comparison_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_COMPARER_H_
