// The per-picture plot as arithmetic, without a drawing surface: one bar per picture as high as
// its coded size in kbit, the mean quantiser and the buffer fill as curves over the bars, the
// kbit grid, the GOP strip under the bars, zoom and scroll through the pictures, and the picture
// under a pointer with its cross-hair.
//
// Pixels follow the widget's coordinates, y downward. A rectangle covers the columns left to
// right - 1 and the rows top to bottom - 1. Divisions truncate.
#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "buffer/vbv_model.h"
#include "mpeg/record_stores.h"
#include "pictures/second_pictures.h"

namespace tessivo {

struct PlotRect {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;
  bool operator==(const PlotRect&) const = default;
};

struct PlotPoint {
  int64_t x = 0;
  int64_t y = 0;
  bool operator==(const PlotPoint&) const = default;
};

struct PlotLine {
  PlotPoint from;
  PlotPoint to;
};

// A horizontal grid line and the size in kbit it stands for.
struct KbitLine {
  int64_t y = 0;
  uint64_t kbit = 0;
};

// The GOP strip's block of one GOP, over the columns of its pictures that are in view.
struct GopBlock {
  uint32_t gop = 0;  // index of the GOP record
  PlotRect rect;
};

class PicturePlotModel {
 public:
  static constexpr int32_t kLeftMargin = 48;   // room for the kbit labels
  static constexpr int32_t kRightMargin = 40;  // room for the buffer and quantiser labels
  static constexpr int32_t kTopMargin = 8;
  static constexpr int32_t kStripGap = 3;
  static constexpr int32_t kStripHeight = 14;
  static constexpr int32_t kBottomMargin = 2;
  // The quantiser value drawn at the top of the plot: every quantiser_scale_code fits under it.
  static constexpr uint32_t kQuantTop = 32;
  static constexpr uint32_t kZoomLevels[] = {1, 2, 3, 4, 6, 8, 12, 16, 24};
  static constexpr uint32_t kZoomLevelCount = std::size(kZoomLevels);
  static constexpr uint32_t kDefaultZoomLevel = 3;  // 4 pixels per picture

  explicit PicturePlotModel(uint32_t kiloBase) : kiloBase_(kiloBase == 0 ? 1024 : kiloBase) {}

  // Takes the pictures and GOPs of the stores as they are now; vbv (which must outlive the
  // model's use of it) gives the fill curve when it modelled the buffer over these pictures.
  void Load(const RecordStores& stores, const VbvResult* vbv);
  // The widget's size; the plot keeps its margins and the GOP strip below it.
  void Relayout(int32_t width, int32_t height);

  uint32_t pictureCount() const { return pictureCount_; }
  uint32_t firstPicture() const { return firstPicture_; }
  uint32_t pixelsPerPicture() const { return kZoomLevels[zoomLevel_]; }
  uint32_t zoomLevel() const { return zoomLevel_; }
  // Whole pictures the plot's width holds, and those of them that are in view.
  uint32_t Capacity() const;
  uint32_t VisibleCount() const;
  // The first picture at which the last picture is in view.
  uint32_t LastFirstPicture() const;

  // One zoom level closer or further; anchor stays at its place where it is in view. False
  // when already at the end of the levels.
  bool ZoomIn(std::optional<uint32_t> anchor);
  bool ZoomOut(std::optional<uint32_t> anchor);
  void SetZoomLevel(uint32_t level, std::optional<uint32_t> anchor);
  // Clamped to the pictures there are.
  void SetFirstPicture(int64_t picture);
  void ScrollBy(int64_t pictures) { SetFirstPicture(int64_t{firstPicture_} + pictures); }
  // Scrolls the range to the middle of the view unless it is wholly in view already.
  void ShowRange(PictureRange range);

  // Where the bars stand; its bottom is the baseline, the row under the bars.
  PlotRect PlotArea() const { return plot_; }
  PlotRect StripArea() const;
  int64_t Baseline() const { return plot_.bottom; }
  // The right end of the columns in view.
  int64_t ColumnsRight() const;

  bool InView(uint32_t picture) const;
  // None where the picture is not in view.
  std::optional<PlotRect> BarOf(uint32_t picture) const;
  // The middle column of the picture's bar, where its curve points lie.
  std::optional<int64_t> CentreOf(uint32_t picture) const;
  double KbitOf(uint32_t picture) const;
  // '\0' past the pictures.
  char TypeOf(uint32_t picture) const;

  uint64_t ScaleTopKbit() const { return scaleTopKbit_; }
  uint64_t ScaleStepKbit() const { return scaleStepKbit_; }
  // From the lowest up; the top edge carries the scale's top value.
  std::vector<KbitLine> KbitLines() const;
  int64_t YOfQuant(double quant) const;
  // A fill of fraction of the buffer; above a full buffer stays at the top edge.
  int64_t YOfFill(double fraction) const;

  std::optional<PlotPoint> QuantPoint(uint32_t picture) const;
  bool HasFill() const;
  // The fill just before the picture leaves the buffer and just after.
  std::optional<PlotPoint> FillBefore(uint32_t picture) const;
  std::optional<PlotPoint> FillAfter(uint32_t picture) const;

  std::vector<GopBlock> GopBlocks() const;
  // The GOP a picture follows; none before the first GOP header.
  std::optional<uint32_t> GopOf(uint32_t picture) const;

  // The columns of the range's pictures that are in view, over the plot's height.
  std::optional<PlotRect> BandOf(PictureRange range) const;

  std::optional<uint32_t> PictureAtX(int64_t x) const;
  // A vertical line through the middle of the picture's bar and a horizontal one just above its
  // top, across the columns in view.
  std::optional<PlotLine> VerticalCrossHair(uint32_t picture) const;
  std::optional<PlotLine> HorizontalCrossHair(uint32_t picture) const;

 private:
  std::optional<double> FillFraction(uint32_t picture, bool before) const;
  int64_t XOfColumn(uint32_t picture) const {
    return plot_.left + int64_t{picture - firstPicture_} * pixelsPerPicture();
  }

  uint32_t kiloBase_;
  const RecordStores* stores_ = nullptr;
  const VbvResult* vbv_ = nullptr;
  uint32_t pictureCount_ = 0;
  std::vector<uint32_t> gopIndex_;  // GOPs that hold pictures, with their first picture
  std::vector<uint32_t> gopStart_;
  uint64_t scaleTopKbit_ = 1;
  uint64_t scaleStepKbit_ = 1;
  PlotRect plot_;
  uint32_t zoomLevel_ = kDefaultZoomLevel;
  uint32_t firstPicture_ = 0;
};

}  // namespace tessivo
