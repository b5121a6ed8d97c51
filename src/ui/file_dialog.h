#ifndef TIVOK_UI_FILE_DIALOG_H_
#define TIVOK_UI_FILE_DIALOG_H_

#include <string>

class QFileDialog;

namespace tivok {

// Shows `dialog`, set up by the caller, first in the folder of `start` with
// that file chosen (unless `start` is empty), and returns once it has
// closed: the chosen file as the core takes a path, absolute and normal, or
// nothing for a cancel. A name with a NUL would reach the system cut short,
// naming another file: it counts as no choice.
std::string ChosenFile(QFileDialog& dialog, const std::string& start);

}  // namespace tivok

#endif  // TIVOK_UI_FILE_DIALOG_H_
