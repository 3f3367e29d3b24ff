// TPWindow2 ("Bitrate Calculation"): tab "BITRATE" turns a video bitrate plus audio into bytes,
// formats and playing times; tab "VIDEO LENGTH" the playing time on a medium into the video
// bitrate left and a quality figure. Every change recomputes at once; values last between
// showings.
#pragma once

#include <QDialog>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace tessivo::view {

class TCGauge;

class TPWindow2 : public QDialog {
  Q_OBJECT
 public:
  TPWindow2(uint32_t kiloBase, QWidget* parent);

 private:
  QWidget* CreateBitrateTab();
  QWidget* CreateVideoLengthTab();
  void FormCreate();
  void BpsChange();
  void KBpsChange();
  void MBpsChange();
  void calcresult();
  void ShowCGauges();
  void AddVChange();

  uint32_t kiloBase_;
  // Set while the rate field's handler may rewrite the other two.
  bool bpsFlag_ = true;
  bool kbpsFlag_ = true;
  bool mbpsFlag_ = true;

  QTabWidget* PageControl1;
  QSpinBox* Bps;
  QSpinBox* KBps;
  QSpinBox* MBps;
  QSpinBox* Abitrate;
  QLabel* bytes;
  QLabel* kbytes;
  QLabel* mbytes;
  QLabel* Label1;
  QLabel* cd74;
  QLabel* cd80;
  QLabel* dram;
  QLabel* drom39;
  QLabel* drom;
  QSpinBox* VLCB;
  QSpinBox* Akbps;
  QSpinBox* SubTit;
  QLineEdit* AddV;
  QComboBox* resCB;
  QComboBox* MediaCB;
  QSpinBox* NumDiscs;
  QSpinBox* Csp;
  QSlider* TB1;
  QSlider* TB2;
  TCGauge* CGb;
  TCGauge* Cg1;
  TCGauge* Cg2;
  TCGauge* Cg3;
  QLabel* Panel6;
};

}  // namespace tessivo::view
