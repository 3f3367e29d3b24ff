// TSFrm: the settings that take effect at the next start (packet-header parsing, the store
// capacity N and the kbit base). It edits only the stored values.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace tessivo::view {

// The range of "Max. frames"; a stored value outside it is not one the dialog could have written.
inline constexpr int kSmallestMaxFrames = 3000;
inline constexpr int kLargestMaxFrames = 1000000;

class TSFrm : public QDialog {
  Q_OBJECT
 public:
  // The values in effect since start-up.
  TSFrm(bool checkPackStartHdr, uint32_t maxFrames, int kiloBase, QWidget* parent);

  bool settingsChanged() const { return settingsChanged_; }

 private:
  void CSpinEdit1Change();
  void BitBtn1Click();

  QCheckBox* CheckBox1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QSpinBox* CSpinEdit1;
  QLabel* Label2;
  bool settingsChanged_ = false;
};

}  // namespace tessivo::view
