#include "editor/image_reading.h"

#include <utility>
#include <vector>

#include "editor/image_changes.h"
#include "editor/status_text.h"

namespace tivok {

void ImageReading::Reset() {
  image_.reset();
  problem_.clear();
}

void ImageReading::Start(ImageStores read) {
  image_ = std::move(read);
  problem_.clear();
}

std::string ImageReading::Read(const std::string& path, bool watching) {
  std::optional<ImageStores> read;
  std::string problem;
  try {
    read = ReadImageStores(path);
    if (!RomFile::IsAcceptedTitle(read->title)) {
      problem = NoLongerAnImageStatus(path, read->title);
    }
  } catch (const RomFileError& error) {
    if (!watching) throw;
    problem = NoLongerReadableStatus(path, error);
  }
  const bool was_fine = problem_.empty();
  const bool problem_news = problem != problem_;
  problem_ = problem;
  // The last good reading stays while the image cannot be used, so that
  // what changed meanwhile is told once it can.
  if (!problem.empty()) return problem_news ? problem : "";
  const std::vector<SlotChange> changes =
      image_ ? ChangedSlots(*image_, *read) : std::vector<SlotChange>{};
  const bool came_or_went = image_ && SlotsCameOrWent(*image_, *read);
  image_ = std::move(read);
  if (!changes.empty()) return SlotsChangedStatus(changes);
  if (came_or_went || !was_fine) return ChangedOutsideStatus(path);
  return {};
}

void ImageReading::Apply(FileOffset offset, std::uint8_t value) {
  if (image_) tivok::Apply(*image_, offset, value);
}

const StoreCodes* ImageReading::Of(const Store& store) const {
  if (!image_ || !problem_.empty()) return nullptr;
  return &image_->Of(store);
}

std::string WritabilityNote(const std::string& path) {
  try {
    RomFile::CheckWritable(path);
  } catch (const RomFileError& error) {
    return ReadOnlyNote(path, ReasonOf(error, path));
  }
  return {};
}

}  // namespace tivok
