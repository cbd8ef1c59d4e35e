#include "platform/data/Data.h"

#include "platform/basic/Error.h"
#include "platform/data/Sql.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace data {
namespace {

// Numbers of the data-access errors, as users of such programs know them.
constexpr long kProviderError = -2147467259;   // the database engine reported a failure
constexpr long kRowChanged = -2147217864;      // the row changed or vanished since it was read
constexpr long kInvalidArgument = 3001;
constexpr long kNoCurrentRecord = 3021;
constexpr long kNotSupported = 3251;
constexpr long kItemNotFound = 3265;
constexpr long kDataConversion = 3421;
constexpr long kObjectClosed = 3704;
constexpr long kObjectOpen = 3705;
constexpr long kInvalidConnection = 3709;

// The one table every database this program opens must hold.
const char* const kRequiredTable = "Legno";

[[noreturn]] void fail(long number, const QString& description) {
    throw platform::Error(number, description.toStdString());
}

[[noreturn]] void failClosed() { fail(kObjectClosed, QStringLiteral("Operazione non consentita se l'oggetto è chiuso.")); }

[[noreturn]] void failNoCurrent() {
    fail(kNoCurrentRecord, QStringLiteral("BOF o EOF è True oppure il record corrente è stato eliminato. "
                                          "L'operazione richiesta richiede un record corrente."));
}

[[noreturn]] void failConnection() {
    fail(kInvalidConnection, QStringLiteral("Impossibile utilizzare la connessione per eseguire l'operazione. "
                                            "La connessione è chiusa o non è valida in questo contesto."));
}

[[noreturn]] void failItem(const QString& name) {
    fail(kItemNotFound, QStringLiteral("Impossibile trovare l'elemento \"%1\" nell'insieme corrispondente al nome "
                                       "o al numero ordinale richiesto.").arg(name));
}

// A lock held by another program: the database is sound and will be usable again once it lets go,
// so the user must hear exactly that and nothing that suggests a damaged file.
class Locked : public platform::Error {
public:
    using platform::Error::Error;
};

bool isLockCode(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

[[noreturn]] void failSqlite(sqlite3* db, const QString& what) {
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
    if (db && isLockCode(sqlite3_errcode(db)))
        throw Locked(kProviderError,
                     (what + QStringLiteral(": il database è bloccato da un altro programma che lo sta usando. "
                                            "Riprovare quando sarà di nuovo libero (") +
                      message + QStringLiteral(")."))
                         .toStdString());
    if (db && (sqlite3_errcode(db) & 0xff) == SQLITE_NOTADB)
        fail(kProviderError, what + QStringLiteral(": il file non è un database valido (") + message + QStringLiteral(")."));
    fail(kProviderError, what + QStringLiteral(": ") + message);
}

// A prepared statement that finalizes itself.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QString& what) : db_(db) {
        const QByteArray utf8 = sql.toUtf8();
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &stmt_, &tail) != SQLITE_OK)
            failSqlite(db, what);
        if (!stmt_ || (tail && !QByteArray(tail).trimmed().isEmpty())) {
            sqlite3_finalize(stmt_);
            stmt_ = nullptr;
            fail(kProviderError, what + QStringLiteral(": è ammessa una sola istruzione SQL."));
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }

    void bind(int index, const QVariant& v, const QString& what) {
        int rc = SQLITE_OK;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(stmt_, index);
        } else {
            switch (v.typeId()) {
            case QMetaType::LongLong: rc = sqlite3_bind_int64(stmt_, index, v.toLongLong()); break;
            case QMetaType::Double: rc = sqlite3_bind_double(stmt_, index, v.toDouble()); break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(stmt_, index, b.constData(), static_cast<sqlite3_uint64>(b.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(stmt_, index, t.constData(), static_cast<sqlite3_uint64>(t.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
            }
            }
        }
        if (rc != SQLITE_OK) failSqlite(db_, what);
    }

    // SQLITE_ROW or SQLITE_DONE; anything else raises.
    int step(const QString& what) {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) failSqlite(db_, what);
        return rc;
    }

    QVariant column(int i) const {
        switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt_, i));
        case SQLITE_TEXT:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                              sqlite3_column_bytes(stmt_, i)));
        case SQLITE_BLOB: {
            const char* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
            return QVariant(QByteArray(p, sqlite3_column_bytes(stmt_, i)));
        }
        default: return QVariant();
        }
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs one write as a transaction of its own: either all of it reaches the file or none. It may
// wait up to writeWaitMs for a lock another program holds.
template <typename F>
void inTransaction(sqlite3* db, int writeWaitMs, const QString& what, F&& body) {
    sqlite3_busy_timeout(db, writeWaitMs);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) failSqlite(db, what);
    try {
        body();
        if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) failSqlite(db, what);
    } catch (...) {
        if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// Column affinity by SQLite's rules on the declared type.
enum class Kind { Integer, Real, Numeric, Text, Blob };

Kind affinity(const char* declared) {
    const QString t = QString::fromUtf8(declared ? declared : "").toUpper();
    if (t.contains(QLatin1String("INT"))) return Kind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return Kind::Text;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB"))) return Kind::Blob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return Kind::Real;
    return Kind::Numeric;
}

bool isNumericVariant(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double: return true;
    default: return false;
    }
}

// A whole number that fits is stored as an integer, as SQLite itself would.
QVariant numberValue(double d, Kind kind) {
    if (kind != Kind::Real && d == std::floor(d) && std::fabs(d) < 9.0e15)
        return QVariant(static_cast<qlonglong>(d));
    return QVariant(d);
}

// -1 < 0 < 1 ordering of two field values for sorting: nulls first, numbers by value, text by
// its case-folded form.
int compareValues(const QVariant& a, const QVariant& b) {
    const bool an = a.isNull() || !a.isValid(), bn = b.isNull() || !b.isValid();
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    const bool anum = isNumericVariant(a), bnum = isNumericVariant(b);
    if (anum && bnum) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (anum != bnum) return anum ? -1 : 1;
    const int c = a.toString().toCaseFolded().compare(b.toString().toCaseFolded());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Connection

struct Connection::Impl {
    sqlite3* db = nullptr;
    int cursorLocation = adUseServer;
    int busyTimeoutMs = 5000;
    int readTimeoutMs = 250;
    // False while a lock held elsewhere has kept the file from being checked.
    bool verified = false;
    QString path;

    void closeDb() {
        if (db) sqlite3_close_v2(db);
        db = nullptr;
        verified = false;
    }

    // Whether the file is a usable materials database; raises when it is not, or (Locked) when
    // another program's lock keeps it from being read now.
    static void check(sqlite3* db, const QString& path) {
        {
            const QString what = QStringLiteral("Impossibile leggere il database '%1'").arg(path);
            Statement check(db, QStringLiteral("PRAGMA quick_check"), what);
            if (check.step(what) == SQLITE_ROW) {
                const QString verdict = check.column(0).toString();
                if (verdict != QLatin1String("ok"))
                    fail(kProviderError, QStringLiteral("Il database '%1' è danneggiato: %2").arg(path, verdict));
            }
        }
        Statement table(db,
                        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE"),
                        QStringLiteral("Impossibile leggere il database '%1'").arg(path));
        table.bind(1, QString::fromLatin1(kRequiredTable), QStringLiteral("Impossibile leggere il database"));
        if (table.step(QStringLiteral("Impossibile leggere il database '%1'").arg(path)) != SQLITE_ROW)
            fail(kProviderError, QStringLiteral("Il database '%1' non contiene la tabella %2.")
                                     .arg(path, QString::fromLatin1(kRequiredTable)));
    }

    // Before every read: a short wait for a lock, and the check that a lock put off at opening.
    sqlite3* forReading() {
        sqlite3_busy_timeout(db, readTimeoutMs);
        if (!verified) {
            check(db, path);
            verified = true;
        }
        return db;
    }
};

Connection::Connection() : impl_(std::make_unique<Impl>()) {}
Connection::~Connection() { impl_->closeDb(); }

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

namespace {

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

void Connection::Open(const QString& connectionString, const QString&, const QString&, int) {
    if (impl_->db) fail(kObjectOpen, QStringLiteral("Operazione non consentita se l'oggetto è aperto."));
    const QString path = dataSource(connectionString);
    if (path.isEmpty())
        fail(kProviderError, QStringLiteral("Nella stringa di connessione manca l'origine dati (Data Source)."));
    const QFileInfo info(path);
    if (!info.exists()) fail(kProviderError, QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    if (!info.isFile()) fail(kProviderError, QStringLiteral("'%1' non è un file di database.").arg(path));

    // Never create: a missing file is an error above, and SQLite must not make an empty one.
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        fail(kProviderError, QStringLiteral("Impossibile aprire il database '%1': %2").arg(path, msg));
    }
    sqlite3_busy_timeout(db, impl_->readTimeoutMs);
    sqlite3_extended_result_codes(db, 1);

    // Find out now, not at the first recordset, whether the file is a usable database. A lock
    // held by another program only puts the check off to the first read: the file is no worse
    // for it, and the program can use it as soon as the other lets go.
    bool verified = true;
    try {
        Impl::check(db, path);
    } catch (const Locked&) {
        verified = false;
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    impl_->db = db;
    impl_->path = path;
    impl_->verified = verified;
}

int Connection::State() const { return impl_->db ? adStateOpen : adStateClosed; }

void Connection::Close() {
    if (!impl_->db) failClosed();
    impl_->closeDb();
}

// ---------------------------------------------------------------------------------------------
// Recordset

namespace {

struct Column {
    QString name;
    Kind kind;
};

struct Row {
    qlonglong rowid = 0;
    std::vector<QVariant> values;
    bool deleted = false;
};

enum class EditMode { None, Edit, Add };

} // namespace

struct Recordset::Impl {
    bool open = false;
    bool readOnly = false;
    std::shared_ptr<Connection> conn;
    QString table;
    std::vector<Column> columns;
    std::vector<Row> rows;        // the snapshot, in the order it was read (and rows added since)
    std::vector<std::size_t> view; // rows shown: filtered and sorted
    long pos = 0;                 // index into view; -1 before the first row, view.size() after the last
    long deletedInView = 0;       // rows deleted since the view was built (they stay until it is rebuilt)
    QString sortText, filterText;
    std::vector<sql::SortKey> sortKeys;
    std::optional<sql::LikeFilter> filter;
    int filterColumn = -1;

    EditMode edit = EditMode::None;
    std::vector<QVariant> pending;
    std::vector<bool> dirty;
    long posBeforeAdd = 0;

    void requireOpen() const {
        if (!open) failClosed();
    }
    sqlite3* db() const {
        if (!conn || !conn->impl()->db) failConnection();
        return conn->impl()->db;
    }
    // One write, waiting as long as the connection lets a save wait for another program's lock.
    template <typename F> void inTransaction(const QString& what, F&& body) {
        data::inTransaction(db(), conn->impl()->busyTimeoutMs, what, std::forward<F>(body));
    }
    long size() const { return static_cast<long>(view.size()); }
    bool live(long i) const { return i >= 0 && i < size() && !rows[view[static_cast<std::size_t>(i)]].deleted; }
    bool anyLive() const {
        return std::any_of(view.begin(), view.end(), [&](std::size_t r) { return !rows[r].deleted; });
    }
    Row* current() { return live(pos) ? &rows[view[static_cast<std::size_t>(pos)]] : nullptr; }

    int columnIndex(const QString& name) const {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
        return -1;
    }

    // The view index of the row at a 1-based position among the rows not deleted; -1 if none.
    long viewIndexOf(long position) const {
        if (position < 1 || position > size()) return -1;
        if (deletedInView == 0) return position - 1;
        long ordinal = 0;
        for (long i = 0; i < size(); ++i)
            if (live(i) && ++ordinal == position) return i;
        return -1;
    }

    long firstLive() const {
        for (long i = 0; i < size(); ++i)
            if (live(i)) return i;
        return size();
    }
    long lastLive() const {
        for (long i = size() - 1; i >= 0; --i)
            if (live(i)) return i;
        return size();
    }

    void rebuildView() {
        view.clear();
        deletedInView = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].deleted) continue;
            if (filter) {
                const QVariant& v = rows[r].values[static_cast<std::size_t>(filterColumn)];
                if (v.isNull() || !sql::LikeMatches(v.toString(), filter->pattern)) continue;
            }
            view.push_back(r);
        }
        if (!sortKeys.empty()) {
            std::vector<int> idx;
            for (const auto& k : sortKeys) idx.push_back(columnIndex(k.field));
            std::stable_sort(view.begin(), view.end(), [&](std::size_t a, std::size_t b) {
                for (std::size_t k = 0; k < sortKeys.size(); ++k) {
                    const auto col = static_cast<std::size_t>(idx[k]);
                    int c = compareValues(rows[a].values[col], rows[b].values[col]);
                    if (sortKeys[k].descending) c = -c;
                    if (c != 0) return c < 0;
                }
                return false;
            });
        }
        pos = firstLive();
    }

    QString selectColumns() const {
        QStringList names;
        for (const auto& c : columns) names << sql::QuoteIdentifier(c.name);
        return names.join(QStringLiteral(", "));
    }

    // The row as the file holds it now; false when it is gone.
    bool reread(qlonglong rowid, std::vector<QVariant>& out) {
        Statement s(db(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1").arg(selectColumns(), sql::QuoteIdentifier(table)),
                    QStringLiteral("Impossibile rileggere la riga"));
        s.bind(1, rowid, QStringLiteral("Impossibile rileggere la riga"));
        if (s.step(QStringLiteral("Impossibile rileggere la riga")) != SQLITE_ROW) return false;
        out.clear();
        for (std::size_t i = 0; i < columns.size(); ++i) out.push_back(s.column(static_cast<int>(i)));
        return true;
    }

    // The value a field will store, checked before anything is written.
    QVariant storable(std::size_t col, const QVariant& v) const {
        if (v.isNull() || !v.isValid()) return QVariant();
        const Column& c = columns[col];
        switch (c.kind) {
        case Kind::Text: return QVariant(v.toString());
        case Kind::Blob:
            if (v.typeId() == QMetaType::QByteArray) return v;
            if (isNumericVariant(v)) return numberValue(v.toDouble(), Kind::Numeric);
            return QVariant(v.toString());
        case Kind::Integer:
        case Kind::Real:
        case Kind::Numeric: {
            if (isNumericVariant(v)) {
                const double d = v.toDouble();
                if (!std::isfinite(d)) break;
                return numberValue(d, c.kind);
            }
            if (const auto d = sql::ParseNumber(v.toString())) return numberValue(*d, c.kind);
            break;
        }
        }
        fail(kDataConversion,
             QStringLiteral("Il valore \"%1\" non è un numero valido per il campo %2.").arg(v.toString(), c.name));
    }

    void commitPending() {
        if (edit == EditMode::None) return;
        std::vector<std::size_t> cols;
        std::vector<QVariant> values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!dirty[i]) continue;
            cols.push_back(i);
            values.push_back(storable(i, pending[i])); // every value checked before the write
        }
        sqlite3* d = db();
        if (edit == EditMode::Add) {
            const QString what = QStringLiteral("Impossibile aggiungere la riga");
            QString sqlText;
            if (cols.empty()) {
                sqlText = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sql::QuoteIdentifier(table));
            } else {
                QStringList names, marks;
                for (std::size_t k = 0; k < cols.size(); ++k) {
                    names << sql::QuoteIdentifier(columns[cols[k]].name);
                    marks << QStringLiteral("?%1").arg(k + 1);
                }
                sqlText = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(sql::QuoteIdentifier(table), names.join(QStringLiteral(", ")),
                                   marks.join(QStringLiteral(", ")));
            }
            Row row;
            inTransaction(what, [&] {
                Statement s(d, sqlText, what);
                for (std::size_t k = 0; k < values.size(); ++k) s.bind(static_cast<int>(k + 1), values[k], what);
                s.step(what);
                row.rowid = sqlite3_last_insert_rowid(d);
                if (!reread(row.rowid, row.values)) fail(kProviderError, what + QStringLiteral(": riga non trovata."));
            });
            rows.push_back(std::move(row));
            view.push_back(rows.size() - 1);
            pos = size() - 1;
        } else {
            Row* r = current();
            if (!r) failNoCurrent();
            if (!cols.empty()) {
                const QString what = QStringLiteral("Impossibile salvare la riga");
                // The row must still hold what this recordset read, or someone else changed it.
                QStringList sets, guards;
                for (std::size_t k = 0; k < cols.size(); ++k) {
                    const QString name = sql::QuoteIdentifier(columns[cols[k]].name);
                    sets << QStringLiteral("%1=?%2").arg(name).arg(k + 1);
                    guards << QStringLiteral("%1 IS ?%2").arg(name).arg(cols.size() + k + 2);
                }
                const QString sqlText = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3 AND %4")
                                            .arg(sql::QuoteIdentifier(table), sets.join(QStringLiteral(", ")))
                                            .arg(cols.size() + 1)
                                            .arg(guards.join(QStringLiteral(" AND ")));
                std::vector<QVariant> fresh;
                inTransaction(what, [&] {
                    Statement s(d, sqlText, what);
                    for (std::size_t k = 0; k < cols.size(); ++k) {
                        s.bind(static_cast<int>(k + 1), values[k], what);
                        s.bind(static_cast<int>(cols.size() + k + 2), r->values[cols[k]], what);
                    }
                    s.bind(static_cast<int>(cols.size() + 1), r->rowid, what);
                    s.step(what);
                    if (sqlite3_changes(d) != 1) {
                        std::vector<QVariant> now;
                        if (!reread(r->rowid, now))
                            fail(kRowChanged, QStringLiteral("Impossibile salvare: la riga è stata eliminata dal "
                                                             "database dopo la lettura."));
                        fail(kRowChanged, QStringLiteral("Impossibile salvare: la riga è stata modificata da un "
                                                         "altro utente dopo la lettura. Rileggere i dati."));
                    }
                    if (!reread(r->rowid, fresh)) fail(kProviderError, what + QStringLiteral(": riga non trovata."));
                });
                r->values = std::move(fresh);
            }
        }
        edit = EditMode::None;
        pending.clear();
        dirty.clear();
    }

    void beforeLeavingRow() { commitPending(); }
};

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}
Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, const std::shared_ptr<Connection>& activeConnection, int,
                     int lockType, int) {
    Impl& m = *impl_;
    if (m.open) fail(kObjectOpen, QStringLiteral("Operazione non consentita se l'oggetto è aperto."));
    if (!activeConnection || !activeConnection->impl()->db) failConnection();
    // A read gives up quickly on a lock: the user is typing, and waits only for a save.
    sqlite3* db = activeConnection->impl()->forReading();

    const auto parsed = sql::ParseSelect(source);
    if (!parsed)
        fail(kProviderError, QStringLiteral("Istruzione SQL non valida o non supportata: \"%1\"").arg(source.trimmed()));
    QStringList cols;
    if (parsed->columns == QStringList{QStringLiteral("*")}) {
        cols << QStringLiteral("*");
    } else {
        for (const QString& c : parsed->columns) cols << sql::QuoteIdentifier(c);
    }
    QString text = QStringLiteral("SELECT rowid, %1 FROM %2").arg(cols.join(QStringLiteral(", ")),
                                                                 sql::QuoteIdentifier(parsed->table));
    if (!parsed->where.isEmpty()) text += QStringLiteral(" WHERE ") + parsed->where;

    const QString what = QStringLiteral("Impossibile eseguire \"%1\"").arg(source.trimmed());
    Statement s(db, text, what);
    if (!sqlite3_stmt_readonly(s.get())) fail(kProviderError, what + QStringLiteral(": istruzione non ammessa."));

    std::vector<Column> columns;
    const int n = sqlite3_column_count(s.get());
    for (int i = 1; i < n; ++i)
        columns.push_back({QString::fromUtf8(sqlite3_column_name(s.get(), i)), affinity(sqlite3_column_decltype(s.get(), i))});
    std::vector<Row> rows;
    while (s.step(what) == SQLITE_ROW) {
        Row r;
        r.rowid = sqlite3_column_int64(s.get(), 0);
        for (int i = 1; i < n; ++i) r.values.push_back(s.column(i));
        rows.push_back(std::move(r));
    }

    m = Impl{};
    m.open = true;
    m.readOnly = lockType == adLockReadOnly;
    m.conn = activeConnection;
    m.table = parsed->table;
    m.columns = std::move(columns);
    m.rows = std::move(rows);
    m.rebuildView();
}

int Recordset::State() const { return impl_->open ? adStateOpen : adStateClosed; }

void Recordset::Close() {
    impl_->requireOpen();
    *impl_ = Impl{};
}

long Recordset::RecordCount() const {
    impl_->requireOpen();
    return static_cast<long>(std::count_if(impl_->view.begin(), impl_->view.end(),
                                           [&](std::size_t r) { return !impl_->rows[r].deleted; }));
}

bool Recordset::BOF() const {
    impl_->requireOpen();
    return impl_->pos < 0 || !impl_->anyLive();
}

bool Recordset::EOF_() const {
    impl_->requireOpen();
    return impl_->pos >= impl_->size() || !impl_->anyLive();
}

void Recordset::MoveFirst() {
    impl_->requireOpen();
    impl_->beforeLeavingRow();
    impl_->pos = impl_->firstLive();
}

void Recordset::MoveLast() {
    impl_->requireOpen();
    impl_->beforeLeavingRow();
    impl_->pos = impl_->lastLive();
}

void Recordset::MoveNext() {
    Impl& m = *impl_;
    if (EOF_()) failNoCurrent();
    m.beforeLeavingRow();
    long i = m.pos + 1;
    while (i < m.size() && !m.live(i)) ++i;
    m.pos = i;
}

void Recordset::MovePrevious() {
    Impl& m = *impl_;
    if (BOF()) failNoCurrent();
    m.beforeLeavingRow();
    long i = std::min(m.pos, m.size()) - 1;
    while (i >= 0 && !m.live(i)) --i;
    m.pos = i;
}

long Recordset::AbsolutePosition() const {
    const Impl& m = *impl_;
    m.requireOpen();
    if (m.pos < 0 || !m.anyLive()) return adPosBOF;
    if (m.pos >= m.size()) return adPosEOF;
    long ordinal = 0;
    for (long i = 0; i <= m.pos; ++i) ordinal += m.live(i);
    return m.live(m.pos) ? ordinal : adPosUnknown;
}

void Recordset::AbsolutePosition(long position) {
    Impl& m = *impl_;
    m.requireOpen();
    const long i = m.viewIndexOf(position);
    if (i < 0) fail(kInvalidArgument, QStringLiteral("Posizione %1 fuori dal recordset.").arg(position));
    m.beforeLeavingRow();
    m.pos = i;
}

QVariant Recordset::ValueAt(long position, int field) const {
    const Impl& m = *impl_;
    m.requireOpen();
    if (field < 0 || field >= FieldCount()) failItem(QString::number(field));
    const long i = m.viewIndexOf(position);
    if (i < 0) fail(kInvalidArgument, QStringLiteral("Posizione %1 fuori dal recordset.").arg(position));
    return m.rows[m.view[static_cast<std::size_t>(i)]].values[static_cast<std::size_t>(field)];
}

int Recordset::FieldCount() const { return impl_->open ? static_cast<int>(impl_->columns.size()) : 0; }

Field Recordset::Fields(int index) {
    impl_->requireOpen();
    if (index < 0 || index >= FieldCount()) failItem(QString::number(index));
    return Field(this, index);
}

Field Recordset::Fields(const QString& name) {
    impl_->requireOpen();
    const int i = impl_->columnIndex(name);
    if (i < 0) failItem(name);
    return Field(this, i);
}

QString Field::Name() const { return rs_->impl_->columns.at(static_cast<std::size_t>(index_)).name; }

QVariant Field::Value() const {
    Recordset::Impl& m = *rs_->impl_;
    const auto i = static_cast<std::size_t>(index_);
    m.requireOpen();
    if (i >= m.columns.size()) failItem(QString::number(index_));
    if (m.edit != EditMode::None) return m.pending[i];
    const Row* r = m.current();
    if (!r) failNoCurrent(); // a Null here would pass for a value that is missing
    return r->values[i];
}

void Field::Value(const QVariant& v) {
    Recordset::Impl& m = *rs_->impl_;
    m.requireOpen();
    if (m.readOnly) fail(kNotSupported, QStringLiteral("Operazione non consentita su un recordset di sola lettura."));
    const auto i = static_cast<std::size_t>(index_);
    if (m.edit == EditMode::None) {
        const Row* r = m.current();
        if (!r) failNoCurrent();
        m.edit = EditMode::Edit;
        m.pending = r->values;
        m.dirty.assign(m.columns.size(), false);
    }
    // Checked at Update, so that a refused value never leaves a row half-written.
    m.pending[i] = v;
    m.dirty[i] = true;
}

QString Recordset::Sort() const { return impl_->sortText; }

void Recordset::Sort(const QString& fieldList) {
    Impl& m = *impl_;
    m.requireOpen();
    const auto keys = sql::ParseSort(fieldList);
    if (!keys) fail(kInvalidArgument, QStringLiteral("Ordinamento non valido: \"%1\"").arg(fieldList));
    for (const auto& k : *keys)
        if (m.columnIndex(k.field) < 0) failItem(k.field);
    m.beforeLeavingRow();
    m.sortKeys = *keys;
    m.sortText = fieldList;
    m.rebuildView();
}

QString Recordset::Filter() const { return impl_->filterText; }

void Recordset::Filter(const QString& criteria) {
    Impl& m = *impl_;
    m.requireOpen();
    std::optional<sql::LikeFilter> f;
    int column = -1;
    if (!criteria.trimmed().isEmpty()) {
        f = sql::ParseLikeFilter(criteria);
        if (!f) fail(kInvalidArgument, QStringLiteral("Filtro non valido: \"%1\"").arg(criteria));
        column = m.columnIndex(f->field);
        if (column < 0) failItem(f->field);
    }
    m.beforeLeavingRow();
    m.filter = f;
    m.filterColumn = column;
    m.filterText = f ? criteria : QString();
    m.rebuildView();
}

QVariant Recordset::Bookmark() const {
    impl_->requireOpen();
    Row* r = impl_->current();
    if (!r) failNoCurrent();
    return QVariant(r->rowid);
}

void Recordset::Bookmark(const QVariant& bookmark) {
    Impl& m = *impl_;
    m.requireOpen();
    bool ok = false;
    const qlonglong id = bookmark.toLongLong(&ok);
    if (ok) {
        for (long i = 0; i < m.size(); ++i) {
            if (m.live(i) && m.rows[m.view[static_cast<std::size_t>(i)]].rowid == id) {
                m.beforeLeavingRow();
                m.pos = i;
                return;
            }
        }
    }
    fail(kInvalidArgument, QStringLiteral("Il segnalibro non è valido o la riga non è più nel recordset."));
}

void Recordset::AddNew() {
    Impl& m = *impl_;
    m.requireOpen();
    if (m.readOnly) fail(kNotSupported, QStringLiteral("Operazione non consentita su un recordset di sola lettura."));
    m.beforeLeavingRow();
    m.posBeforeAdd = m.pos;
    m.edit = EditMode::Add;
    m.pending.assign(m.columns.size(), QVariant());
    m.dirty.assign(m.columns.size(), false);
}

void Recordset::Update() {
    impl_->requireOpen();
    impl_->commitPending();
}

void Recordset::CancelUpdate() {
    Impl& m = *impl_;
    m.requireOpen();
    if (m.edit == EditMode::Add) m.pos = m.posBeforeAdd;
    m.edit = EditMode::None;
    m.pending.clear();
    m.dirty.clear();
}

void Recordset::Delete(int affect) {
    Impl& m = *impl_;
    m.requireOpen();
    if (affect != adAffectCurrent) fail(kNotSupported, QStringLiteral("È possibile eliminare solo la riga corrente."));
    if (m.readOnly) fail(kNotSupported, QStringLiteral("Operazione non consentita su un recordset di sola lettura."));
    if (m.edit == EditMode::Add) { // the row being added is not in the file yet: dropping it is enough
        CancelUpdate();
        return;
    }
    Row* r = m.current();
    if (!r) failNoCurrent();
    sqlite3* d = m.db();
    const QString what = QStringLiteral("Impossibile eliminare la riga");
    // Only the row as this recordset read it: one that someone else changed meanwhile is theirs
    // to keep, as with Update.
    QStringList guards;
    for (std::size_t k = 0; k < m.columns.size(); ++k)
        guards << QStringLiteral("%1 IS ?%2").arg(sql::QuoteIdentifier(m.columns[k].name)).arg(k + 2);
    QString sqlText = QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(sql::QuoteIdentifier(m.table));
    if (!guards.isEmpty()) sqlText += QStringLiteral(" AND ") + guards.join(QStringLiteral(" AND "));
    m.inTransaction(what, [&] {
        Statement s(d, sqlText, what);
        s.bind(1, r->rowid, what);
        for (std::size_t k = 0; k < m.columns.size(); ++k) s.bind(static_cast<int>(k + 2), r->values[k], what);
        s.step(what);
        if (sqlite3_changes(d) != 1) {
            std::vector<QVariant> now;
            if (!m.reread(r->rowid, now))
                fail(kRowChanged, QStringLiteral("Impossibile eliminare: la riga non è più presente nel database."));
            fail(kRowChanged, QStringLiteral("Impossibile eliminare: la riga è stata modificata da un altro utente "
                                             "dopo la lettura. Rileggere i dati."));
        }
    });
    m.edit = EditMode::None;
    m.pending.clear();
    m.dirty.clear();
    r->deleted = true; // stays current until the next move, as callers expect
    ++m.deletedInView;
}

} // namespace data
