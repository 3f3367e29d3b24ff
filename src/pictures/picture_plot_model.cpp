#include "pictures/picture_plot_model.h"

#include <algorithm>
#include <cmath>

#include "mpeg/picture_locator.h"

namespace tessivo {

namespace {

// The smallest of 1, 2 and 5 times a power of ten that is at least value.
uint64_t NiceStep(double value) {
  uint64_t power = 1;
  while (true) {
    for (const uint64_t factor : {1, 2, 5}) {
      if (static_cast<double>(factor * power) >= value) return factor * power;
    }
    power *= 10;
  }
}

// About five grid lines up to the largest picture.
constexpr double kGridLines = 5.0;

}  // namespace

void PicturePlotModel::Load(const RecordStores& stores, const VbvResult* vbv) {
  stores_ = &stores;
  pictureCount_ = std::min(stores.summary.pictureCount, stores.capacity());
  vbv_ = vbv != nullptr && vbv->mode != VbvMode::kNone && vbv->pictures.size() == pictureCount_ &&
                 stores.pictureFactsAvailable
             ? vbv
             : nullptr;

  gopIndex_.clear();
  gopStart_.clear();
  PictureLocator locator(stores);
  uint32_t largest = 0;
  for (uint32_t p = 0; p < pictureCount_; ++p) {
    largest = std::max(largest, stores.pictures()[p].size);
    const uint32_t gop = locator.Locate(p).gop;
    if (gop != kNoGop && (gopIndex_.empty() || gopIndex_.back() != gop)) {
      gopIndex_.push_back(gop);
      gopStart_.push_back(p);
    }
  }
  const double peakKbit = largest * 8.0 / kiloBase_;
  scaleStepKbit_ = NiceStep(std::max(1.0, peakKbit / kGridLines));
  const double steps = std::ceil(peakKbit / static_cast<double>(scaleStepKbit_));
  scaleTopKbit_ = std::max<uint64_t>(1, static_cast<uint64_t>(steps)) * scaleStepKbit_;
  SetFirstPicture(firstPicture_);
}

void PicturePlotModel::Relayout(int32_t width, int32_t height) {
  plot_.left = kLeftMargin;
  plot_.top = kTopMargin;
  plot_.right = std::max<int64_t>(plot_.left, int64_t{width} - kRightMargin);
  plot_.bottom =
      std::max<int64_t>(plot_.top, int64_t{height} - kBottomMargin - kStripHeight - kStripGap);
  SetFirstPicture(firstPicture_);
}

PlotRect PicturePlotModel::StripArea() const {
  const int64_t top = plot_.bottom + kStripGap;
  return {plot_.left, top, plot_.right, top + kStripHeight};
}

uint32_t PicturePlotModel::Capacity() const {
  return static_cast<uint32_t>((plot_.right - plot_.left) / pixelsPerPicture());
}

uint32_t PicturePlotModel::VisibleCount() const {
  return std::min(Capacity(), pictureCount_ - std::min(firstPicture_, pictureCount_));
}

uint32_t PicturePlotModel::LastFirstPicture() const {
  return pictureCount_ > Capacity() ? pictureCount_ - Capacity() : 0;
}

int64_t PicturePlotModel::ColumnsRight() const {
  return plot_.left + int64_t{Capacity()} * pixelsPerPicture();
}

bool PicturePlotModel::ZoomIn(std::optional<uint32_t> anchor) {
  if (zoomLevel_ + 1 >= kZoomLevelCount) return false;
  SetZoomLevel(zoomLevel_ + 1, anchor);
  return true;
}

bool PicturePlotModel::ZoomOut(std::optional<uint32_t> anchor) {
  if (zoomLevel_ == 0) return false;
  SetZoomLevel(zoomLevel_ - 1, anchor);
  return true;
}

void PicturePlotModel::SetZoomLevel(uint32_t level, std::optional<uint32_t> anchor) {
  level = std::min(level, kZoomLevelCount - 1);
  // The anchor's column keeps its distance in pixels from the left edge.
  const bool anchored = anchor && InView(*anchor);
  const int64_t offsetPixels = anchored ? int64_t{*anchor - firstPicture_} * pixelsPerPicture() : 0;
  zoomLevel_ = level;
  if (anchored) {
    SetFirstPicture(int64_t{*anchor} - offsetPixels / pixelsPerPicture());
  } else {
    SetFirstPicture(firstPicture_);
  }
}

void PicturePlotModel::SetFirstPicture(int64_t picture) {
  firstPicture_ = static_cast<uint32_t>(std::clamp<int64_t>(picture, 0, LastFirstPicture()));
}

void PicturePlotModel::ShowRange(PictureRange range) {
  if (range.empty()) return;
  const uint32_t end = std::min(range.end, pictureCount_);
  if (range.first >= firstPicture_ && end <= firstPicture_ + Capacity()) return;
  const int64_t width = std::min<int64_t>(end - range.first, Capacity());
  SetFirstPicture(int64_t{range.first} - (int64_t{Capacity()} - width) / 2);
}

bool PicturePlotModel::InView(uint32_t picture) const {
  return picture >= firstPicture_ && picture < pictureCount_ &&
         picture - firstPicture_ < Capacity();
}

std::optional<PlotRect> PicturePlotModel::BarOf(uint32_t picture) const {
  if (!InView(picture)) return std::nullopt;
  const uint32_t ppp = pixelsPerPicture();
  // A gap between bars once they are wide enough to keep one.
  const uint32_t width = ppp >= 3 ? ppp - 1 : ppp;
  const uint64_t plotHeight = static_cast<uint64_t>(plot_.bottom - plot_.top);
  const uint64_t size = stores_->pictures()[picture].size;
  uint64_t height = size * 8 * plotHeight / (scaleTopKbit_ * kiloBase_);
  if (size > 0) height = std::max<uint64_t>(height, 1);
  height = std::min(height, plotHeight);
  const int64_t left = XOfColumn(picture);
  return PlotRect{left, plot_.bottom - static_cast<int64_t>(height), left + width, plot_.bottom};
}

std::optional<int64_t> PicturePlotModel::CentreOf(uint32_t picture) const {
  const std::optional<PlotRect> bar = BarOf(picture);
  if (!bar) return std::nullopt;
  return bar->left + (bar->right - bar->left) / 2;
}

double PicturePlotModel::KbitOf(uint32_t picture) const {
  if (stores_ == nullptr || picture >= pictureCount_) return 0.0;
  return stores_->pictures()[picture].size * 8.0 / kiloBase_;
}

char PicturePlotModel::TypeOf(uint32_t picture) const {
  if (stores_ == nullptr || picture >= pictureCount_) return '\0';
  return stores_->pictures()[picture].type;
}

std::vector<KbitLine> PicturePlotModel::KbitLines() const {
  std::vector<KbitLine> lines;
  const int64_t plotHeight = plot_.bottom - plot_.top;
  for (uint64_t kbit = scaleStepKbit_; kbit <= scaleTopKbit_; kbit += scaleStepKbit_) {
    lines.push_back({plot_.bottom - static_cast<int64_t>(kbit * plotHeight / scaleTopKbit_), kbit});
  }
  return lines;
}

int64_t PicturePlotModel::YOfQuant(double quant) const {
  const double plotHeight = static_cast<double>(plot_.bottom - plot_.top);
  return plot_.bottom -
         std::llround(std::clamp(quant, 0.0, double{kQuantTop}) * plotHeight / kQuantTop);
}

int64_t PicturePlotModel::YOfFill(double fraction) const {
  const double plotHeight = static_cast<double>(plot_.bottom - plot_.top);
  return plot_.bottom - std::llround(std::clamp(fraction, 0.0, 1.0) * plotHeight);
}

std::optional<PlotPoint> PicturePlotModel::QuantPoint(uint32_t picture) const {
  const std::optional<int64_t> x = CentreOf(picture);
  if (!x) return std::nullopt;
  return PlotPoint{*x, YOfQuant(stores_->pictures()[picture].qavg)};
}

bool PicturePlotModel::HasFill() const {
  return vbv_ != nullptr;
}

std::optional<double> PicturePlotModel::FillFraction(uint32_t picture, bool before) const {
  if (vbv_ == nullptr || picture >= pictureCount_) return std::nullopt;
  const PictureFacts& facts = stores_->pictureFacts()[picture];
  const uint64_t size = stores_->sequenceFacts()[facts.sequence].vbvBufferSize;
  if (size == 0) return std::nullopt;
  const VbvPicture& fill = vbv_->pictures[picture];
  return static_cast<double>(before ? fill.before : fill.after) / static_cast<double>(size);
}

std::optional<PlotPoint> PicturePlotModel::FillBefore(uint32_t picture) const {
  const std::optional<int64_t> x = CentreOf(picture);
  const std::optional<double> fraction = FillFraction(picture, true);
  if (!x || !fraction) return std::nullopt;
  return PlotPoint{*x, YOfFill(*fraction)};
}

std::optional<PlotPoint> PicturePlotModel::FillAfter(uint32_t picture) const {
  const std::optional<int64_t> x = CentreOf(picture);
  const std::optional<double> fraction = FillFraction(picture, false);
  if (!x || !fraction) return std::nullopt;
  return PlotPoint{*x, YOfFill(*fraction)};
}

std::vector<GopBlock> PicturePlotModel::GopBlocks() const {
  std::vector<GopBlock> blocks;
  const uint32_t viewEnd = firstPicture_ + VisibleCount();
  const PlotRect strip = StripArea();
  // The first GOP that ends after the first picture in view.
  size_t k = static_cast<size_t>(
      std::upper_bound(gopStart_.begin(), gopStart_.end(), firstPicture_) - gopStart_.begin());
  if (k > 0) --k;
  for (; k < gopStart_.size() && gopStart_[k] < viewEnd; ++k) {
    const uint32_t end = k + 1 < gopStart_.size() ? gopStart_[k + 1] : pictureCount_;
    const uint32_t first = std::max(gopStart_[k], firstPicture_);
    const uint32_t last = std::min(end, viewEnd);
    if (first >= last) continue;
    blocks.push_back({gopIndex_[k], {XOfColumn(first), strip.top, XOfColumn(last), strip.bottom}});
  }
  return blocks;
}

std::optional<uint32_t> PicturePlotModel::GopOf(uint32_t picture) const {
  if (picture >= pictureCount_) return std::nullopt;
  const auto after = std::upper_bound(gopStart_.begin(), gopStart_.end(), picture);
  if (after == gopStart_.begin()) return std::nullopt;
  return gopIndex_[static_cast<size_t>(after - gopStart_.begin()) - 1];
}

std::optional<PlotRect> PicturePlotModel::BandOf(PictureRange range) const {
  const uint32_t first = std::max(range.first, firstPicture_);
  const uint32_t end = std::min(range.end, firstPicture_ + VisibleCount());
  if (first >= end) return std::nullopt;
  return PlotRect{XOfColumn(first), plot_.top, XOfColumn(end), plot_.bottom};
}

std::optional<uint32_t> PicturePlotModel::PictureAtX(int64_t x) const {
  if (x < plot_.left) return std::nullopt;
  const int64_t column = (x - plot_.left) / pixelsPerPicture();
  if (column >= VisibleCount()) return std::nullopt;
  return firstPicture_ + static_cast<uint32_t>(column);
}

std::optional<PlotLine> PicturePlotModel::VerticalCrossHair(uint32_t picture) const {
  const std::optional<int64_t> x = CentreOf(picture);
  if (!x) return std::nullopt;
  return PlotLine{{*x, plot_.top}, {*x, plot_.bottom - 1}};
}

std::optional<PlotLine> PicturePlotModel::HorizontalCrossHair(uint32_t picture) const {
  const std::optional<PlotRect> bar = BarOf(picture);
  if (!bar) return std::nullopt;
  const int64_t y = std::max(plot_.top, bar->top - 1);
  return PlotLine{{plot_.left, y}, {ColumnsRight() - 1, y}};
}

}  // namespace tessivo
