#include "platform/ui/Files.h"

#include "platform/basic/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {
namespace {
QString appPathOverride;
}

QString Dir(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile() || fi.isHidden()) return {};
    return fi.fileName();
}

void FileCopy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        platform::Raise(platform::err::FileNotFound,
                        ("Impossibile leggere il file " + source + ": " + in.errorString()).toStdString());
    const QFileInfo ti(target);
    if (!QDir().mkpath(ti.absolutePath()))
        platform::Raise(76, ("Impossibile creare la cartella " + ti.absolutePath()).toStdString());
    // Written aside and renamed at the end, so a failed copy never leaves half a file behind.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        platform::Raise(75, ("Impossibile scrivere il file " + target + ": " + out.errorString()).toStdString());
    char buf[1 << 16];
    for (;;) {
        const qint64 n = in.read(buf, sizeof buf);
        if (n < 0)
            platform::Raise(75, ("Errore nella lettura del file " + source + ": " + in.errorString()).toStdString());
        if (n == 0) break;
        if (out.write(buf, n) != n)
            platform::Raise(61, ("Errore nella scrittura del file " + target + ": " + out.errorString()).toStdString());
    }
    if (!out.commit())
        platform::Raise(75, ("Errore nella scrittura del file " + target + ": " + out.errorString()).toStdString());
}

QString AppPath() {
    if (!appPathOverride.isEmpty()) return appPathOverride;
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

void SetAppPathOverride(const QString& folder) {
    appPathOverride = folder;
    while (appPathOverride.size() > 1 && (appPathOverride.endsWith('/') || appPathOverride.endsWith('\\')))
        appPathOverride.chop(1);
}

} // namespace files
