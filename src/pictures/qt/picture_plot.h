// TPicturePlot: the per-picture plot of the Pictures window, drawn from its model: bars coloured
// by picture type, the mean quantiser and the buffer fill as curves, the GOP strip, the band of
// the second the main window points at and the cross-hair.
#pragma once

#include <QWidget>
#include <optional>

#include "pictures/picture_plot_model.h"

namespace tessivo::view {

class TPicturePlot : public QWidget {
  Q_OBJECT
 public:
  TPicturePlot(uint32_t kiloBase, QWidget* parent);

  PicturePlotModel& model() { return model_; }
  const PicturePlotModel& model() const { return model_; }
  std::optional<uint32_t> crossHair() const { return crossHair_; }

  void Load(const RecordStores& stores, const VbvResult* vbv);
  // Puts the cross-hair on the picture, scrolling it into view; none takes it away.
  void SetCrossHair(std::optional<uint32_t> picture);
  // The pictures of the second the main window points at, drawn as a band.
  void SetBand(PictureRange band);
  void Zoom(bool in);
  void ScrollTo(uint32_t firstPicture);

 signals:
  void crossHairMoved(uint32_t picture);
  // The first picture in view or the zoom changed.
  void viewMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void MoveCrossHair(uint32_t picture);

  PicturePlotModel model_;
  std::optional<uint32_t> crossHair_;
  PictureRange band_;
};

}  // namespace tessivo::view
