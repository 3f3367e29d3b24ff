// TABoutFrm: the About box behind a double click on the version panel.
#pragma once

#include <QDialog>

namespace tessivo::view {

class TABoutFrm : public QDialog {
  Q_OBJECT
 public:
  explicit TABoutFrm(QWidget* parent);
};

}  // namespace tessivo::view
