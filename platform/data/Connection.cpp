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
    std::optional<Connection::Impl::FileState> state;
};
Lookup fileAt(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {errno == ENOENT || errno == ENOTDIR, std::nullopt};
    return {false, Connection::Impl::FileState{{st.st_dev, st.st_ino}, st.st_size, st.st_mtim, st.st_ctim}};
}

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// Whether the file SQLite holds is no longer the one its path names. The identity the connection
// keeps cannot tell: it was taken from the path, which may have named another file during
// SQLite's own open() and its own again right after.
bool movedUnder(sqlite3* db) {
    int moved = 0;
    return sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved != 0;
}

// How many times an open starts again while the file at the path keeps being swapped under it.
constexpr int kOpenAttempts = 10;

// Whether the file is a usable materials database; raises when it is not, or (Transient) when
// something that passes keeps it from being read now.
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

std::function<void()> Connection::Impl::afterOpenForTests;

bool Connection::Impl::FileState::operator==(const FileState& o) const {
    return id == o.id && size == o.size && sameTime(modified, o.modified) && sameTime(changed, o.changed);
}

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

    // What the connection keeps must be the file SQLite opened. The path names it when it named
    // the same file before and after the open; another file renamed over it meanwhile, or a
    // symbolic link pointed elsewhere, makes the open start again.
    sqlite3* h = nullptr;
    std::optional<FileState> state;
    for (int attempt = 1;; ++attempt) {
        const Lookup before = fileAt(path);
        // Never create: a missing file is an error above, and SQLite must not make an empty one.
        // A file this process may not write opens for reading only.
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            const QString reason = Reason(h ? sqlite3_extended_errcode(h) : rc, h ? sqlite3_system_errno(h) : 0,
                                          QString::fromUtf8(h ? sqlite3_errmsg(h) : sqlite3_errstr(rc)), path);
            sqlite3_close_v2(h);
            fail(kProviderError, QStringLiteral("Impossibile aprire il database '%1': %2").arg(path, reason));
        }
        if (afterOpenForTests) afterOpenForTests();
        const Lookup after = fileAt(path);
        const bool same = before.state && after.state ? before.state->id == after.state->id
                                                      : !before.state && !after.state && !after.absent;
        if (same) {
            state = after.state;
            break;
        }
        sqlite3_close_v2(h);
        h = nullptr;
        if (attempt == kOpenAttempts)
            fail(kProviderError, QStringLiteral("Impossibile aprire il database '%1': il file continua a essere "
                                                "sostituito da altri file mentre il programma lo apre. Riprovare.")
                                     .arg(path));
    }
    sqlite3_busy_timeout(h, readTimeoutMs);
    sqlite3_extended_result_codes(h, 1);

    // Find out now, not at the first recordset, whether the file is a usable database. A lock
    // held by another program, or a journal that cannot be rolled back yet, only puts the check
    // off to the first read: the file is no worse for it, and the program can use it as soon as
    // that passes.
    bool checked = true;
    try {
        check(h, path);
    } catch (const Transient&) {
        checked = false;
    } catch (...) {
        sqlite3_close_v2(h);
        throw;
    }
    db = h;
    file = state;
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
    if (db && now.state && file && now.state->id != file->id) {
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
    // The same file, written by someone else (copied over in place, emptied, put back). SQLite
    // trusts its cache while the file's change counter is what it was, as it is when a copy of
    // this very file was written over it: only a new open reads the file as it is now. So too
    // when SQLite holds another file than the one at the path, which the user never chose.
    if (db && now.state && ((file && *now.state != *file) || movedUnder(db))) openDb();
    if (!db) openDb(); // put back since, or unusable the last time
}

bool Connection::Impl::asLastSeen() const {
    const Lookup now = fileAt(path);
    return !now.absent && (!now.state || !file || *now.state == *file);
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
    // Opened for reading only, and writable now: a journal that a program cut short left beside
    // the file can be rolled back only by a connection that may write.
    if (sqlite3_db_readonly(db, "main") == 1 && Writable(path)) openDb();
    return checked();
}

sqlite3* Connection::Impl::forWriting(const QString& what) {
    toFileAtPath(what);
    if (sqlite3_db_readonly(db, "main") == 1) openDb();
    return checked();
}

sqlite3* Connection::Impl::beginWrite(const QString& what) {
    for (int attempt = 1;; ++attempt) {
        sqlite3* d = forWriting(what);
        detail::begin(d, busyTimeoutMs, what);
        // Holding the lock, the file is what it will be until the commit, for all who respect it.
        // A copy written over it in place while BEGIN waited carries the change counter SQLite
        // knows, so SQLite would go on from its cache and write pages of the old file into it.
        if (asLastSeen()) return d;
        detail::rollback(d);
        // Others who keep writing it, one after another, while this write waits its turn.
        if (attempt == kOpenAttempts)
            fail(kProviderError, what + QStringLiteral(": ") +
                                     Reason(SQLITE_BUSY, 0, QString::fromUtf8(sqlite3_errstr(SQLITE_BUSY)), path));
    }
}

void Connection::Impl::wrote() {
    const Lookup now = fileAt(path);
    if (now.state && file && now.state->id == file->id) file = now.state;
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
