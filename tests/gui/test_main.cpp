// Runs every test class of the desktop application in one QApplication.
#include <QApplication>
#include <QTest>

#include "gui_tests.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  int failures = 0;
  for (auto& test : tessivo::test::GuiTests()) failures += QTest::qExec(test.get(), argc, argv);
  return failures == 0 ? 0 : 1;
}
