#include "platform/ui/Files.h"

#include "platform/basic/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace files {
namespace {
QString appPathOverride;

// Why a file operation failed, in the user's words, then the system's own in parentheses. Read at
// once after the failing call, before anything else can change errno.
std::string motivo(int e, const QString& diSistema) {
    QString r;
    switch (e) {
    case EACCES:
    case EPERM: r = QStringLiteral("accesso negato: mancano i permessi necessari"); break;
    case EROFS: r = QStringLiteral("il disco è in sola lettura"); break;
    case ENOENT: r = QStringLiteral("il file o la cartella non esiste"); break;
    case ENOTDIR:
    case EEXIST: r = QStringLiteral("un file occupa il posto di una cartella del percorso"); break;
    case EISDIR: r = QStringLiteral("al posto del file c'è una cartella"); break;
    case ENOSPC:
    case EDQUOT: r = QStringLiteral("il disco è pieno"); break;
    case EFBIG: r = QStringLiteral("il file supera la dimensione massima consentita"); break;
    case EIO: r = QStringLiteral("errore di lettura o scrittura sul disco"); break;
    default: r = QStringLiteral("errore del sistema dei file"); break;
    }
    return (r + QStringLiteral(" (") + diSistema + QStringLiteral(")")).toStdString();
}
} // namespace

QString Dir(const QString& path) {
    if (path.isEmpty()) return {};
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile() || fi.isHidden()) return {};
    return fi.fileName();
}

void FileCopy(const QString& source, const QString& target) {
    // Its arguments are references to what exists already: nothing runs between the failing call
    // and the reading of errno.
    const auto fallisce = [](long numero, const char* cosa, const QString& percorso, const QFileDevice* file) {
        const int e = errno;
        const QString diSistema = file ? file->errorString() : QString::fromLocal8Bit(std::strerror(e));
        platform::Raise(numero, (QString::fromUtf8(cosa) + percorso + QStringLiteral(": ")).toStdString() +
                                    motivo(e, diSistema));
    };
    errno = 0;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) fallisce(platform::err::FileNotFound, "Impossibile leggere il file ", source, &in);
    const QString cartella = QFileInfo(target).absolutePath();
    errno = 0;
    if (!QDir().mkpath(cartella)) fallisce(76, "Impossibile creare la cartella ", cartella, nullptr);
    // Written aside and renamed at the end, so a failed copy never leaves half a file behind.
    QSaveFile out(target);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly)) fallisce(75, "Impossibile scrivere il file ", target, &out);
    char buf[1 << 16];
    for (;;) {
        errno = 0;
        const qint64 n = in.read(buf, sizeof buf);
        if (n < 0) fallisce(75, "Errore nella lettura del file ", source, &in);
        if (n == 0) break;
        errno = 0;
        if (out.write(buf, n) != n) fallisce(61, "Errore nella scrittura del file ", target, &out);
    }
    errno = 0;
    if (!out.commit()) fallisce(75, "Errore nella scrittura del file ", target, &out);
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
