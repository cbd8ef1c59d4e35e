#include "platform/ui/Settings.h"

#include "platform/basic/Error.h"

#include <QSettings>

namespace settings {
namespace {
// One store per application title (organisation and application alike), per user, native format.
QString keyOf(const QString& section, const QString& key) { return section + '/' + key; }
} // namespace

QString GetSetting(const QString& appName, const QString& section, const QString& key, const QString& defaultValue) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, appName, appName);
    const QVariant v = s.value(keyOf(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, appName, appName);
    s.setValue(keyOf(section, key), value);
    s.sync();
    if (s.status() != QSettings::NoError)
        platform::Raise(75, ("Impossibile scrivere l'impostazione " + section + "\\" + key).toStdString());
}

void DeleteSetting(const QString& appName, const QString& section, const QString& key) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, appName, appName);
    s.remove(key.isEmpty() ? section : keyOf(section, key));
    s.sync();
    if (s.status() != QSettings::NoError)
        platform::Raise(75, ("Impossibile modificare le impostazioni di " + appName).toStdString());
}

} // namespace settings
