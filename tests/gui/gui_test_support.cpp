#include "gui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "support/test_files.h"

namespace tessivo::test {

namespace {

std::unique_ptr<QSettings> TestSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("Marrek Ltd"), QStringLiteral("Tessivo"));
}

}  // namespace

MessageBoxAnswer::MessageBoxAnswer(int button)
    : texts_(std::make_shared<QStringList>()), active_(std::make_shared<bool>(true)) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, button, texts = texts_, active = active_] {
    if (!*active) {
      timer->deleteLater();
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    texts->append(box->text());
    if (QAbstractButton* answer = box->button(static_cast<QMessageBox::StandardButton>(button))) {
      answer->click();
    } else {
      box->done(button);
    }
  });
  timer->start();
}

MessageBoxAnswer::~MessageBoxAnswer() {
  *active_ = false;
}

void WhenShown(QWidget* window, const QString& dialogName, std::function<void(QWidget*)> action) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, window, dialogName, action] {
    auto* dialog = window->findChild<QWidget*>(dialogName);
    if (!dialog || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(dialog);
  });
  timer->start();
}

void AnswerFileDialog(QWidget* window, const QString& dialogName, const QString& path) {
  WhenShown(window, dialogName, [path](QWidget* widget) {
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    // Typed like a user would: the dialog takes the name from its edit field.
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

void MoveMouse(QWidget* widget, QPoint position, Qt::KeyboardModifiers modifiers) {
  QMouseEvent event(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                    Qt::NoButton, modifiers);
  QApplication::sendEvent(widget, &event);
}

void TurnWheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers) {
  const QPointF position(50, 50);
  QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), QPoint(0, delta),
                    Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

void SwipeSideways(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers) {
  const QPointF position(50, 50);
  QWheelEvent event(position, widget->mapToGlobal(position), QPoint(delta, 0), QPoint(delta, 0),
                    Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

QString LabelText(const QWidget* window, const char* name) {
  const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
  return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

QColor PixelAt(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

void ClearSettings() {
  const auto settings = TestSettings();
  settings->clear();
  settings->sync();
}

QVariant StoredValue(const QString& name) {
  return TestSettings()->value(name);
}

void StoreValue(const QString& name, const QVariant& value) {
  const auto settings = TestSettings();
  settings->setValue(name, value);
  settings->sync();
}

std::unique_ptr<view::TMainFrm> ShowWindow(const QStringList& arguments) {
  auto window = std::make_unique<view::TMainFrm>(arguments);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
  return window;
}

std::unique_ptr<view::TMainFrm> AnalysedToTheEnd(const char* name) {
  auto window = ShowWindow({QString::fromStdString(FixturePath(name))});
  if (!window) return nullptr;
  const auto ended = [&window] {
    return window->context()->dataLoaded() && window->context()->endReached();
  };
  if (!QTest::qWaitFor(ended, 20000)) return nullptr;
  return window;
}

void LoadResult(view::TMainFrm& window, const QString& path) {
  AnswerFileDialog(&window, QStringLiteral("LVRd"), path);
  QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("SpeedButton2")), Qt::LeftButton);
}

void WithModal(QWidget* window, QAbstractButton* button, const QString& dialogName,
               std::function<void(QWidget*)> action) {
  WhenShown(window, dialogName, [action](QWidget* dialog) {
    action(dialog);
    if (dialog->isVisible()) qobject_cast<QDialog*>(dialog)->reject();
  });
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace tessivo::test
