// The graph as an SVG image: grid, both curves and the labels of the axes, drawn through the same
// view model as the window's graph, so that every point lies where the window puts it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/graph_model.h"

namespace tessivo {

struct GraphImageRange {
  uint32_t from = 0;  // first and last second drawn
  uint32_t to = 0;
  uint16_t horizontalScale = 60;  // seconds across the window's graph
  uint16_t verticalScale = 15;    // grid units from its bottom to its top
  int32_t kiloBase = 1024;
};

// The window's graph area the scales are taken against: an image has the pixels per second and
// per unit that the window has at this size, and at least one of each.
inline constexpr int32_t kImageAreaWidth = 600;
inline constexpr int32_t kImageAreaHeight = 300;
// Room around the graph for the labels.
inline constexpr uint16_t kImageLeftMargin = 64;
inline constexpr uint16_t kImageRightMargin = 64;
inline constexpr uint16_t kImageTopMargin = 24;
inline constexpr uint16_t kImageBottomMargin = 36;
// The widest graph one image holds: the model's pixel widths are 16-bit.
inline constexpr int64_t kLargestImageGraphWidth = 60000;

// The model laid out over the range; none when the range is empty or wider than an image holds.
std::optional<GraphModel> LayOutGraphImage(const RecordStores& stores,
                                           const GraphImageRange& range);

// The whole SVG document of a laid-out model.
std::string GraphSvg(const GraphModel& model);

}  // namespace tessivo
