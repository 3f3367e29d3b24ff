// The four registry functions. Each call opens the settings store, reads or writes one value and
// closes it again; failures are swallowed (reads give the default, writes change nothing).
#pragma once

#include <QString>

namespace tessivo::view {

// Organisation and application are the key's last two parts: the native registry on Windows,
// an INI file under the user's XDG config folder elsewhere.
inline const QString SettingsKey = QStringLiteral("SOFTWARE\\Marrek Ltd\\Tessivo");

int RegReadInteger(const QString& key, const QString& name, int defaultValue);
void RegWriteInteger(const QString& key, const QString& name, int value);
// Leading and trailing blanks and control characters removed; empty when missing.
QString RegReadString(const QString& key, const QString& name);
void RegWriteString(const QString& key, const QString& name, const QString& text);

}  // namespace tessivo::view
