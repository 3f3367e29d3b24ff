// Helpers for driving the main window in tests: answering its modal dialogs, sending pointer
// and wheel events, reading its controls and the stored settings.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "view/mainunit.h"

class QAbstractButton;
class QWidget;

namespace tessivo::test {

// Answers the next modal message box with button and remembers its text.
class MessageBoxAnswer {
 public:
  explicit MessageBoxAnswer(int button);
  ~MessageBoxAnswer();
  const QStringList& texts() const { return *texts_; }

 private:
  std::shared_ptr<QStringList> texts_;
  std::shared_ptr<bool> active_;
};

// Runs action on the window's child dialogName as soon as it is shown.
void WhenShown(QWidget* window, const QString& dialogName, std::function<void(QWidget*)> action);
// Selects path in the window's file dialog dialogName as soon as it opens, and accepts it.
void AnswerFileDialog(QWidget* window, const QString& dialogName, const QString& path);

void MoveMouse(QWidget* widget, QPoint position, Qt::KeyboardModifiers modifiers = {});
void TurnWheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = {});
// A horizontal wheel or a touchpad side-swipe: a wheel event without vertical delta.
void SwipeSideways(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = {});

// Text of the child label name.
QString LabelText(const QWidget* window, const char* name);
QColor PixelAt(const QImage& image, int x, int y);

void ClearSettings();
QVariant StoredValue(const QString& name);
void StoreValue(const QString& name, const QVariant& value);

// A window that is shown and exposed.
std::unique_ptr<view::TMainFrm> ShowWindow(const QStringList& arguments = {});
// A shown window that has analysed the fixture name to its end.
std::unique_ptr<view::TMainFrm> AnalysedToTheEnd(const char* name);
// Loads the result file path through the window's "Open result file" button.
void LoadResult(view::TMainFrm& window, const QString& path);

// Clicks button, runs action on the modal window dialogName that it opens, and closes that window
// if action left it open.
void WithModal(QWidget* window, QAbstractButton* button, const QString& dialogName,
               std::function<void(QWidget*)> action);

}  // namespace tessivo::test
