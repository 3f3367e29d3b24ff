// The test classes of the desktop application, each in a file of its own.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

namespace tessivo::test {

std::unique_ptr<QObject> MakeRunTest();
std::unique_ptr<QObject> MakeViewTest();
std::unique_ptr<QObject> MakeSettingsTest();

inline std::vector<std::unique_ptr<QObject>> GuiTests() {
  std::vector<std::unique_ptr<QObject>> tests;
  tests.push_back(MakeRunTest());
  tests.push_back(MakeViewTest());
  tests.push_back(MakeSettingsTest());
  return tests;
}

}  // namespace tessivo::test
