#pragma once
// The per-user settings store, addressed by application title, section and key. Values are text.
#include <QString>
#include <QStringList>

namespace settings {

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
// Writes at once; raises platform::Error when the store cannot be written.
void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);
// Removes one key, or the whole section when key is empty. Missing entries are not an error.
void DeleteSetting(const QString& appName, const QString& section, const QString& key = QString());

} // namespace settings
