// The desktop application: the main window, with a file named on the command line analysed
// shortly after the window appears.
#include <QApplication>
#include <QStringList>
#include <cstdlib>

#include "view/mainunit.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessivo"));
  QApplication::setOrganizationName(QStringLiteral("Marrek Ltd"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  tessivo::view::TMainFrm mainFrm(QApplication::arguments().mid(1));
  if (!mainFrm.storesObtained()) return EXIT_FAILURE;
  mainFrm.show();
  return application.exec();
}
