#ifndef TIVOK_EDITOR_EXPORTER_H_
#define TIVOK_EDITOR_EXPORTER_H_

#include "compare/comparison.h"
#include "editor/editor_host.h"

namespace tivok {

// The store editor's exports of the open image: File, Export Layout... and
// File, Export Patch..., each written to a file that the user chooses,
// never over an image.
class Exporter {
 public:
  // `comparison` is the clean image compared with, which must outlive it.
  Exporter(EditorHost& editor, const Comparison& comparison)
      : editor_(editor), comparison_(comparison) {}
  Exporter(const Exporter&) = delete;
  Exporter& operator=(const Exporter&) = delete;

  // Writes a layout of every slot, or while comparing of the differing
  // slots only, as the user chooses.
  void OnExportLayout();
  // Writes an IPS or BPS patch that turns the clean image compared with,
  // or one that the user chooses, into itself with the open image's store
  // slots and a right global checksum.
  void OnExportPatch();

 private:
  // Says why the open image cannot be exported: it cannot be read as an
  // image of the game.
  void ShowProblem();

  EditorHost& editor_;
  const Comparison& comparison_;
};

}  // namespace tivok

#endif  // TIVOK_EDITOR_EXPORTER_H_
