#ifndef TIVOK_EDITOR_STATUS_TEXT_H_
#define TIVOK_EDITOR_STATUS_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compare/store_differences.h"
#include "editor/editor_state.h"
#include "editor/save_history.h"
#include "rom/checksum.h"
#include "rom/describe.h"
#include "rom/rom_file.h"
#include "rom/store_table.h"

namespace tivok {

// The status line's texts. Items, slots and file names read as describe.h
// words them.

// `first` and `second` joined by a space, either of them possibly empty.
std::string Joined(const std::string& first, const std::string& second);

// Before any image is open: how to open one.
std::string NoImageStatus();

// A file that was refused, and why (a reason such as WithFileName gives).
std::string NotOpenedStatus(std::string_view reason);

// Why a file with `title` in its header is refused.
std::string WrongTitleReason(const std::string& path, std::string_view title);

// The slot list's row for slot k holding `code`: "3 (1F)", its item's name
// ("unknown" for a code of no item), its tooltip and its text for screen
// readers. Where `clean` (the clean image's code, -1 for none) differs,
// the row names that item too.
SlotRow SlotRowOf(int k, int code, int clean = -1);

// What the status line says of slot k's entry, which holds `code`.
std::string EntryStatus(int k, int code);

// What Save would write now, from the remembered slot and item; says so
// when that slot is not in `shown`, the store listed.
std::string PlanStatus(const EditorState& state, const Store* shown);

// What a successful save wrote, and what the slot held before; says so
// when that slot is not in `shown`, the store listed.
std::string SavedStatus(const SavedStep& save, const Store* shown);

// A save that found its item in the slot already: Save wrote it again,
// and Undo has nothing new to take back.
std::string SavedSameStatus(const SavedStep& save, const Store* shown);

// The image as another program left it: slots changed (each with its item
// before and after; more than three by their count and the first three),
// the file grown or shrunk across the stores, unreadable, or no longer an
// image of the game; and the same when nothing had changed.
// With `clean`, the same of the clean image at that path, compared with:
// its slots that changed, or that none did, though other bytes did.
std::string SlotsChangedStatus(const std::vector<SlotDifference>& changes,
                               const std::string& clean = {});
std::string CleanStoresUnchangedStatus(const std::string& clean);
std::string ChangedOutsideStatus(const std::string& path);
std::string NoLongerReadableStatus(const std::string& path,
                                   const RomFileError& error);
std::string NoLongerAnImageStatus(const std::string& path,
                                  std::string_view title);
std::string ReloadedStatus(const std::string& path);

// A failed save, and why.
std::string NotSavedStatus(std::string_view reason);

// Slots `first` to the last of `store` that could not be read, and why.
std::string UnlistedNote(const Store& store, int first,
                         std::string_view reason);

// An image that is open but cannot be written, and why.
std::string ReadOnlyNote(const std::string& path, std::string_view reason);

// Text typed into New Item that chooses no item: it names none, or several
// items could be meant (up to five are named, the best first); `code`
// stays chosen.
std::string NoSuchItemStatus(std::string_view typed, int code);

// The "Invalid ROM" box's text for a file that cannot be read: the file's
// name and, in plain words, why.
std::string CannotOpenText(const std::string& path, const RomFileError& error);

// The status line's note on an image's checksums once it is opened: that
// its header checksum is wrong; empty when it is right. A stale global
// checksum is told by the checksum mark instead.
std::string ChecksumNote(const Checksums& checksums);

// The status bar's mark of a stale global checksum, "Checksum stale", and
// what it means and how to fix it, for its tooltip and screen readers.
std::string StaleChecksumMark();
std::string StaleChecksumExplanation();

}  // namespace tivok

#endif  // TIVOK_EDITOR_STATUS_TEXT_H_
