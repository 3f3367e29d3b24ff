#include "graph/graph_svg.h"

#include <algorithm>
#include <cstdio>

namespace tessivo {

namespace {

constexpr const char* kBackground = "#c0c0c0";
constexpr const char* kGraphBackground = "#000000";
constexpr const char* kGrid = "#808080";
constexpr const char* kBitrateColour = "#ffff00";
constexpr const char* kQuantiserColour = "#00ff00";
constexpr const char* kLabelColour = "#000000";
constexpr int64_t kFontSize = 11;
constexpr int64_t kSmallestRowLabelGap = 14;
constexpr int64_t kSmallestColumnLabelGap = 44;
constexpr uint32_t kSecondLabelSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,  300,
                                          600, 900, 1800, 3600, 7200, 14400, 28800, 86400};

void Append(std::string& out, const char* format, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, format, values...);
  out += text;
}

long long Ll(int64_t value) {
  return static_cast<long long>(value);
}

// One label for every step-th line, so that labels keep gap pixels apart.
uint32_t LabelStep(int64_t pixelsApart, int64_t gap) {
  if (pixelsApart <= 0) return 1;
  return static_cast<uint32_t>(std::max<int64_t>(1, (gap + pixelsApart - 1) / pixelsApart));
}

uint32_t SecondLabelStep(int64_t pixelsPerSecond) {
  const uint32_t least = LabelStep(pixelsPerSecond, kSmallestColumnLabelGap);
  for (const uint32_t step : kSecondLabelSteps) {
    if (step >= least) return step;
  }
  return least;
}

// Lines as the window draws them: from point to point, the end pixel left out. Half-pixel
// offsets and square caps put each line on the pixels the window paints.
void AppendGrid(const GraphModel& model, std::string& out) {
  const ViewState& view = model.state();
  Append(out,
         "<g stroke=\"%s\" stroke-width=\"1\" stroke-linecap=\"square\" "
         "transform=\"translate(0.5 0.5)\">\n<path d=\"",
         kGrid);
  const GridLines rows = model.HorizontalGridLines();
  for (uint32_t k = 0; k < rows.count; ++k) {
    Append(out, "M%lld %lldH%lld", Ll(view.graphLeft), Ll(rows[k]), Ll(model.Right() - 1));
  }
  const GridLines columns = model.VerticalGridLines();
  for (uint32_t k = 0; k < columns.count; ++k) {
    Append(out, "M%lld %lldV%lld", Ll(columns[k]), Ll(view.graphTop), Ll(model.Bottom() - 1));
  }
  out += "\"/>\n</g>\n";
}

void AppendCurve(const GraphModel& model, Curve curve, std::string& out) {
  if (!model.Draws(curve)) return;
  const bool bitrate = curve == Curve::kBitrate;
  Append(out,
         "<polyline id=\"%s\" fill=\"none\" stroke=\"%s\" stroke-width=\"1\" "
         "stroke-linejoin=\"round\" transform=\"translate(0.5 0.5)\" points=\"",
         bitrate ? "bitrate" : "quantiser", bitrate ? kBitrateColour : kQuantiserColour);
  const Pixel start = model.CurveStart();
  Append(out, "%lld,%lld", Ll(start.x), Ll(start.y));
  const uint32_t count = model.CurvePointCount();
  for (uint32_t column = 0; column < count; ++column) {
    const Pixel point = model.CurvePoint(curve, column);
    Append(out, " %lld,%lld", Ll(point.x), Ll(point.y));
  }
  out += "\"/>\n";
}

void AppendText(std::string& out, int64_t x, int64_t y, const char* anchor, const char* text) {
  Append(out, "<text x=\"%lld\" y=\"%lld\" text-anchor=\"%s\">%s</text>\n", Ll(x), Ll(y), anchor,
         text);
}

// kbit/s on the left and the quantiser on the right of each labelled row; the second of each
// labelled column below the graph.
void AppendLabels(const GraphModel& model, std::string& out) {
  const ViewState& view = model.state();
  Append(out, "<g fill=\"%s\" font-family=\"sans-serif\" font-size=\"%lld\">\n", kLabelColour,
         Ll(kFontSize));
  const GridLines rows = model.HorizontalGridLines();
  const uint32_t rowStep = LabelStep(view.pixelsPerUnit, kSmallestRowLabelGap);
  char text[32];
  for (uint32_t k = 0; k < rows.count; k += rowStep) {
    const LineValue value = model.HorizontalLineValue(k);
    const int64_t baseline = rows[k] + kFontSize / 3;
    if (value.kbps) {
      std::snprintf(text, sizeof text, "%lld", Ll(*value.kbps));
      AppendText(out, view.graphLeft - 4, baseline, "end", text);
    }
    std::snprintf(text, sizeof text, "%u", value.units);
    AppendText(out, model.Right() + 4, baseline, "start", text);
  }
  const uint32_t secondStep = SecondLabelStep(view.pixelsPerSecond);
  for (uint32_t column = 0; column < view.horizontalScale; ++column) {
    const uint64_t second = uint64_t{view.firstSecond} + column;
    if (second % secondStep != 0) continue;
    std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(second));
    AppendText(out, *model.XOfSecond(second), model.Bottom() + 4 + kFontSize, "middle", text);
  }
  AppendText(out, view.graphLeft - 4, view.graphTop - 8, "end", "kbit/s");
  AppendText(out, model.Right() + 4, view.graphTop - 8, "start", "quantiser");
  AppendText(out, (view.graphLeft + model.Right()) / 2, model.Bottom() + 8 + 2 * kFontSize,
             "middle", "second");
  out += "</g>\n";
}

}  // namespace

std::optional<GraphModel> LayOutGraphImage(const RecordStores& stores,
                                           const GraphImageRange& range) {
  if (range.to < range.from || range.horizontalScale == 0 || range.verticalScale == 0) {
    return std::nullopt;
  }
  const int64_t seconds = int64_t{range.to} - range.from + 1;
  const int64_t pixelsPerSecond = std::max<int32_t>(1, kImageAreaWidth / range.horizontalScale);
  const int64_t pixelsPerUnit = std::max<int32_t>(1, kImageAreaHeight / range.verticalScale);
  if (seconds * pixelsPerSecond > kLargestImageGraphWidth ||
      seconds > static_cast<int64_t>(UINT16_MAX)) {
    return std::nullopt;
  }
  ViewState state;
  state.graphLeft = kImageLeftMargin;
  state.graphTop = kImageTopMargin;
  state.horizontalScale = static_cast<uint16_t>(seconds);
  state.verticalScale = range.verticalScale;
  state.firstSecond = range.from;
  state.kiloBase = range.kiloBase;
  state.viewMode = kViewBoth;
  GraphModel model(stores, state);
  model.Relayout(static_cast<int32_t>(pixelsPerSecond * seconds),
                 static_cast<int32_t>(pixelsPerUnit * range.verticalScale));
  return model;
}

std::string GraphSvg(const GraphModel& model) {
  const ViewState& view = model.state();
  const int64_t width = model.Right() + kImageRightMargin;
  const int64_t height = model.Bottom() + 1 + kImageBottomMargin;
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  Append(out,
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%lld\" "
         "height=\"%lld\" viewBox=\"0 0 %lld %lld\">\n",
         Ll(width), Ll(height), Ll(width), Ll(height));
  Append(out, "<rect x=\"0\" y=\"0\" width=\"%lld\" height=\"%lld\" fill=\"%s\"/>\n", Ll(width),
         Ll(height), kBackground);
  Append(out, "<rect x=\"%lld\" y=\"%lld\" width=\"%lld\" height=\"%lld\" fill=\"%s\"/>\n",
         Ll(view.graphLeft), Ll(view.graphTop), Ll(view.graphWidth), Ll(view.graphHeight + 1),
         kGraphBackground);
  // A value above the top of the graph leaves it, as it leaves the window's canvas.
  Append(out,
         "<clipPath id=\"graph\"><rect x=\"%lld\" y=\"%lld\" width=\"%lld\" "
         "height=\"%lld\"/></clipPath>\n<g clip-path=\"url(#graph)\">\n",
         Ll(view.graphLeft), Ll(view.graphTop), Ll(view.graphWidth), Ll(view.graphHeight + 1));
  AppendGrid(model, out);
  AppendCurve(model, Curve::kBitrate, out);
  AppendCurve(model, Curve::kQuantiser, out);
  out += "</g>\n";
  AppendLabels(model, out);
  out += "</svg>\n";
  return out;
}

}  // namespace tessivo
