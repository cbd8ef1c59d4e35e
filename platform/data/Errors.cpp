#include "platform/data/Errors.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace data::detail {

void fail(long number, const QString& description) { throw platform::Error(number, description.toStdString()); }

void failClosed() { fail(kObjectClosed, QStringLiteral("Operazione non consentita se l'oggetto è chiuso.")); }

void failNoCurrent() {
    fail(kNoCurrentRecord, QStringLiteral("BOF o EOF è True oppure il record corrente è stato eliminato. "
                                          "L'operazione richiesta richiede un record corrente."));
}

void failConnection() {
    fail(kInvalidConnection, QStringLiteral("Impossibile utilizzare la connessione per eseguire l'operazione. "
                                            "La connessione è chiusa o non è valida in questo contesto."));
}

void failItem(const QString& name) {
    fail(kItemNotFound, QStringLiteral("Impossibile trovare l'elemento \"%1\" nell'insieme corrispondente al nome "
                                       "o al numero ordinale richiesto.").arg(name));
}

// The effective rights count, not the real user's: they are what a write of SQLite will meet.
bool Writable(const QString& path) {
    return !path.isEmpty() && ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK, AT_EACCESS) == 0;
}

namespace {

// A journal left beside the file by a save cut short, which must be rolled back and removed before
// the file can be read, while the file (or the folder the journal lies in) may not be written.
bool journalStuck(int rc, int systemErrno) {
    return rc == SQLITE_READONLY_ROLLBACK ||
           (rc == SQLITE_IOERR_DELETE && (systemErrno == EACCES || systemErrno == EPERM || systemErrno == EROFS));
}

// A database that cannot be written: the file itself, or the folder in which every save must
// create its journal beside it.
QString readOnlyReason(const QString& path, bool folderKnown) {
    const QString folder = QFileInfo(path).absolutePath();
    if (folderKnown || (Writable(path) && !Writable(folder)))
        return QStringLiteral("la cartella che contiene il database è in sola lettura, e ogni registrazione vi deve "
                              "creare un file di appoggio. Renderla scrivibile e riprovare");
    return QStringLiteral("il file del database è in sola lettura. Renderlo scrivibile e riprovare");
}

QString reasonOnly(int rc, int systemErrno, const QString& path) {
    switch (rc) {
    case SQLITE_READONLY_DIRECTORY: return readOnlyReason(path, true);
    case SQLITE_READONLY_DBMOVED:
        return QStringLiteral("il file del database è stato eliminato, spostato o sostituito mentre il programma lo "
                              "usava");
    default: break;
    }
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("il database è bloccato da un altro programma che lo sta usando. "
                              "Riprovare quando sarà di nuovo libero");
    case SQLITE_READONLY: return readOnlyReason(path, false);
    case SQLITE_FULL: return QStringLiteral("il disco è pieno. Liberare spazio e riprovare");
    case SQLITE_IOERR:
        if (systemErrno == ENOSPC) return QStringLiteral("il disco è pieno. Liberare spazio e riprovare");
        // The journal rolled back, but not removable from its read-only folder.
        if (journalStuck(rc, systemErrno)) return readOnlyReason(path, true);
        if (systemErrno == EFBIG)
            return QStringLiteral("il file ha raggiunto la dimensione massima che il sistema consente. "
                                  "Liberare spazio o alzare il limite e riprovare");
        return QStringLiteral("errore di lettura o scrittura sul disco");
    case SQLITE_NOTADB: return QStringLiteral("il file non è un database valido");
    case SQLITE_CORRUPT: return QStringLiteral("il database è danneggiato");
    case SQLITE_CANTOPEN: return QStringLiteral("impossibile aprire il file del database");
    case SQLITE_PERM:
    case SQLITE_AUTH: return QStringLiteral("accesso al database non consentito");
    case SQLITE_NOMEM: return QStringLiteral("memoria insufficiente");
    case SQLITE_CONSTRAINT: return QStringLiteral("il valore non rispetta un vincolo del database");
    case SQLITE_TOOBIG: return QStringLiteral("il valore è troppo grande per il database");
    default: return QStringLiteral("il database ha rifiutato l'operazione");
    }
}

} // namespace

QString Reason(int rc, int systemErrno, const QString& sqliteMessage, const QString& path) {
    return reasonOnly(rc, systemErrno, path) + QStringLiteral(" (") + sqliteMessage + QStringLiteral(").");
}

void failSqlite(sqlite3* db, const QString& what) {
    if (!db) fail(kProviderError, what + QStringLiteral(": ") + Reason(SQLITE_NOMEM, 0, QStringLiteral("out of memory"), QString()));
    const int rc = sqlite3_extended_errcode(db);
    const int systemErrno = sqlite3_system_errno(db);
    const char* file = sqlite3_db_filename(db, "main");
    const QString description =
        what + QStringLiteral(": ") +
        Reason(rc, systemErrno, QString::fromUtf8(sqlite3_errmsg(db)), file ? QFile::decodeName(file) : QString());
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED || journalStuck(rc, systemErrno))
        throw Transient(kProviderError, description.toStdString());
    fail(kProviderError, description);
}

} // namespace data::detail
