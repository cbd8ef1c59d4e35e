#include "platform/data/ConnectionImpl.h"

#include "platform/data/Errors.h"
#include "platform/data/Statement.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace data {

using namespace detail;

namespace {

// The one table every database this program opens must hold.
const char* const kRequiredTable = "Legno";

// The file a path names now; nothing when no file is there. A path that cannot be looked at (a
// folder that refuses it) tells nothing either way: the file open is then taken to be still there.
struct Lookup {
    bool absent = false;
    std::optional<Connection::Impl::FileId> id;
};
Lookup fileAt(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {errno == ENOENT || errno == ENOTDIR, std::nullopt};
    return {false, Connection::Impl::FileId{st.st_dev, st.st_ino}};
}

// Whether the file is a usable materials database; raises when it is not, or (Locked) when
// another program's lock keeps it from being read now.
void check(sqlite3* db, const QString& path) {
    const QString what = QStringLiteral("Impossibile leggere il database '%1'").arg(path);
    {
        Statement check(db, QStringLiteral("PRAGMA quick_check"), what);
        if (check.step(what) == SQLITE_ROW) {
            const QString verdict = check.column(0).toString();
            if (verdict != QLatin1String("ok"))
                fail(kProviderError, QStringLiteral("Il database '%1' è danneggiato (%2).").arg(path, verdict));
        }
    }
    Statement table(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE"), what);
    table.bind(1, QString::fromLatin1(kRequiredTable), what);
    if (table.step(what) != SQLITE_ROW)
        fail(kProviderError,
             QStringLiteral("Il database '%1' non contiene la tabella %2.").arg(path, QString::fromLatin1(kRequiredTable)));
}

// The keys a connection text may hold besides the data source. A path may hold ';' itself, so the
// value of "Data Source=" runs up to the next ';' that begins one of these, or to the end.
const QRegularExpression& nextKey() {
    static const QRegularExpression re(
        QStringLiteral(";\\s*(?:Provider|User ID|Password|Mode|Persist Security Info|Extended Properties|"
                       "Jet OLEDB:[^=;]*)\\s*="),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The value of "Data Source=" in a connection text; "" when there is none.
QString dataSource(const QString& connectionString) {
    static const QRegularExpression key(QStringLiteral("(?:^|;)\\s*Data Source\\s*="),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto m = key.match(connectionString);
    if (!m.hasMatch()) return QString();
    const qsizetype start = m.capturedEnd();
    const auto next = nextKey().match(connectionString, start);
    QString v = connectionString.mid(start, next.hasMatch() ? next.capturedStart() - start : -1);
    if (!next.hasMatch() && v.endsWith(QLatin1Char(';'))) v.chop(1); // the text's closing ';'
    v = v.trimmed();
    if (v.size() >= 2 && ((v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) ||
                          (v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))))
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

Connection::Impl::~Impl() { closeDb(); }

void Connection::Impl::closeDb() {
    if (db) sqlite3_close_v2(db);
    db = nullptr;
    verified = false;
}

void Connection::Impl::openDb() {
    closeDb();
    const QFileInfo info(path);
    if (!info.exists()) fail(kProviderError, QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    if (!info.isFile()) fail(kProviderError, QStringLiteral("'%1' non è un file di database.").arg(path));

    // Never create: a missing file is an error above, and SQLite must not make an empty one. A
    // file this process may not write opens for reading only.
    sqlite3* h = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = Reason(h ? sqlite3_extended_errcode(h) : rc, h ? sqlite3_system_errno(h) : 0,
                                      QString::fromUtf8(h ? sqlite3_errmsg(h) : sqlite3_errstr(rc)), path);
        sqlite3_close_v2(h);
        fail(kProviderError, QStringLiteral("Impossibile aprire il database '%1': %2").arg(path, reason));
    }
    sqlite3_busy_timeout(h, readTimeoutMs);
    sqlite3_extended_result_codes(h, 1);
    const auto id = fileAt(path).id;

    // Find out now, not at the first recordset, whether the file is a usable database. A lock
    // held by another program only puts the check off to the first read: the file is no worse
    // for it, and the program can use it as soon as the other lets go.
    bool checked = true;
    try {
        check(h, path);
    } catch (const Locked&) {
        checked = false;
    } catch (...) {
        sqlite3_close_v2(h);
        throw;
    }
    db = h;
    file = id;
    verified = checked;
}

void Connection::Impl::toFileAtPath(const QString& what) {
    if (!open) failConnection();
    const Lookup now = fileAt(path);
    if (now.absent) {
        closeDb();
        fail(kProviderError, what + QStringLiteral(": il file del database '%1' non c'è più: è stato eliminato, "
                                                   "spostato o rinominato. Rimetterlo al suo posto e riprovare.")
                                        .arg(path));
    }
    if (db && now.id && file && *now.id != *file) {
        // Nothing of the old file is written again, and nothing pending goes to the new one
        // unannounced: this operation stops here, the next one works on the file the user sees.
        const QString sostituito =
            what + QStringLiteral(": il file del database '%1' è stato sostituito da un altro file mentre il programma "
                                  "lo usava. ")
                       .arg(path);
        try {
            openDb();
        } catch (const platform::Error& e) {
            fail(e.number(), sostituito + QStringLiteral("Il nuovo file non si può usare: ") +
                                 QString::fromStdString(e.description()));
        }
        fail(kProviderError, sostituito + QStringLiteral("Ora si usa il file presente a quel percorso: ripetere "
                                                         "l'operazione."));
    }
    if (!db) openDb(); // put back since, or unusable the last time
}

sqlite3* Connection::Impl::checked() {
    // A read gives up quickly on a lock: the user is typing, and waits only for a save.
    sqlite3_busy_timeout(db, readTimeoutMs);
    if (!verified) {
        check(db, path);
        verified = true;
    }
    return db;
}

sqlite3* Connection::Impl::forReading(const QString& what) {
    toFileAtPath(what);
    return checked();
}

sqlite3* Connection::Impl::forWriting(const QString& what) {
    toFileAtPath(what);
    if (sqlite3_db_readonly(db, "main") == 1) openDb();
    return checked();
}

Connection::Connection() : impl_(std::make_unique<Impl>()) {}
Connection::~Connection() = default;

int Connection::CursorLocation() const { return impl_->cursorLocation; }
void Connection::CursorLocation(int value) {
    if (value != adUseServer && value != adUseClient)
        fail(kInvalidArgument, QStringLiteral("Valore non valido per la posizione del cursore."));
    impl_->cursorLocation = value;
}

int Connection::BusyTimeout() const { return impl_->busyTimeoutMs; }
void Connection::BusyTimeout(int milliseconds) { impl_->busyTimeoutMs = std::max(0, milliseconds); }
int Connection::ReadTimeout() const { return impl_->readTimeoutMs; }
void Connection::ReadTimeout(int milliseconds) { impl_->readTimeoutMs = std::max(0, milliseconds); }

void Connection::Open(const QString& connectionString, const QString&, const QString&, int) {
    if (impl_->open) fail(kObjectOpen, QStringLiteral("Operazione non consentita se l'oggetto è aperto."));
    const QString path = dataSource(connectionString);
    if (path.isEmpty())
        fail(kProviderError, QStringLiteral("Nella stringa di connessione manca l'origine dati (Data Source)."));
    impl_->path = path;
    impl_->openDb();
    impl_->open = true;
}

int Connection::State() const { return impl_->open ? adStateOpen : adStateClosed; }

void Connection::Close() {
    if (!impl_->open) failClosed();
    impl_->closeDb();
    impl_->open = false;
}

} // namespace data
