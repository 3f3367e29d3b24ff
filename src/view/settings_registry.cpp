#include "view/settings_registry.h"

#include <QSettings>
#include <QStringList>
#include <memory>

namespace tessivo::view {

namespace {

std::unique_ptr<QSettings> OpenKey(const QString& key) {
  const QStringList parts = key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
  const QString organisation = parts.size() >= 2 ? parts[parts.size() - 2] : QString();
  const QString application = parts.isEmpty() ? QString() : parts.back();
#ifdef Q_OS_WIN
  const QSettings::Format format = QSettings::NativeFormat;
#else
  const QSettings::Format format = QSettings::IniFormat;
#endif
  return std::make_unique<QSettings>(format, QSettings::UserScope, organisation, application);
}

bool IsBlankOrControl(QChar c) {
  return c.isSpace() || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

}  // namespace

int RegReadInteger(const QString& key, const QString& name, int defaultValue) {
  const QVariant value = OpenKey(key)->value(name);
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? number : defaultValue;
}

void RegWriteInteger(const QString& key, const QString& name, int value) {
  OpenKey(key)->setValue(name, value);
}

QString RegReadString(const QString& key, const QString& name) {
  const QVariant value = OpenKey(key)->value(name);
  if (!value.isValid() || !value.canConvert<QString>()) return {};
  const QString text = value.toString();
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return text.mid(first, last - first);
}

void RegWriteString(const QString& key, const QString& name, const QString& text) {
  OpenKey(key)->setValue(name, text);
}

}  // namespace tessivo::view
