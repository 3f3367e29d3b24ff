// The test classes of the desktop application, each in a file of its own.
#pragma once

#include <QObject>
#include <memory>
#include <vector>

namespace tessivo::test {

std::unique_ptr<QObject> MakeRunTest();
std::unique_ptr<QObject> MakeViewTest();
std::unique_ptr<QObject> MakeSettingsTest();
std::unique_ptr<QObject> MakeTableWindowsTest();
std::unique_ptr<QObject> MakeModifyWindowTest();
std::unique_ptr<QObject> MakeCalculatorWindowTest();
std::unique_ptr<QObject> MakeCapacityTest();
std::unique_ptr<QObject> MakeTransportStreamTest();
std::unique_ptr<QObject> MakePictureWindowsTest();
std::unique_ptr<QObject> MakeGraphImageTest();
std::unique_ptr<QObject> MakeFileDropTest();

inline std::vector<std::unique_ptr<QObject>> GuiTests() {
  std::vector<std::unique_ptr<QObject>> tests;
  tests.push_back(MakeRunTest());
  tests.push_back(MakeViewTest());
  tests.push_back(MakeSettingsTest());
  tests.push_back(MakeTableWindowsTest());
  tests.push_back(MakeModifyWindowTest());
  tests.push_back(MakeCalculatorWindowTest());
  tests.push_back(MakeCapacityTest());
  tests.push_back(MakeTransportStreamTest());
  tests.push_back(MakePictureWindowsTest());
  tests.push_back(MakeGraphImageTest());
  tests.push_back(MakeFileDropTest());
  return tests;
}

}  // namespace tessivo::test
