#include "platform/data/Data.h"

#include "platform/data/ConnectionImpl.h"
#include "platform/data/Errors.h"
#include "platform/data/Sql.h"
#include "platform/data/Statement.h"
#include "platform/data/Values.h"

#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace data {

using namespace detail;

namespace {

struct Column {
    QString name;
    Kind kind;
};

struct Row {
    qlonglong rowid = 0;
    std::vector<QVariant> values;
    // Text fields whose stored bytes are not UTF-8, by field index: values shows them decoded, with
    // replacement characters; what the row holds, and what a save compares and keeps, are the bytes.
    std::vector<std::pair<std::size_t, QByteArray>> undecodable;
    bool deleted = false;

    const QByteArray* storedText(std::size_t field) const {
        for (const auto& [i, bytes] : undecodable)
            if (i == field) return &bytes;
        return nullptr;
    }
    // The fields from column first of the statement's current row on.
    void read(const Statement& s, int first, std::size_t count) {
        values.clear();
        undecodable.clear();
        values.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            std::optional<QByteArray> bytes;
            values.push_back(s.column(first + static_cast<int>(i), &bytes));
            if (bytes) undecodable.emplace_back(i, std::move(*bytes));
        }
    }
    // A field as the file stores it, for a guard that must find the row as it was read.
    void bindStored(Statement& s, int index, std::size_t field, const QString& what) const {
        if (const QByteArray* bytes = storedText(field))
            s.bindText(index, *bytes, what);
        else
            s.bind(index, values[field], what);
    }
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
    std::optional<sql::LikePattern> filter; // prepared once per filter, not once per row
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
    // One write on the file now at the connection's path, as a transaction of its own: either all
    // of it reaches the file or none. It waits as long as the connection lets a save wait for
    // another program's lock.
    template <typename F> void inTransaction(const QString& what, F&& body) {
        if (!conn) failConnection();
        Connection::Impl& c = *conn->impl();
        sqlite3* d = c.beginWrite(what);
        try {
            body(d);
            detail::commit(d, what);
        } catch (...) {
            detail::rollback(d);
            throw;
        }
        c.wrote();
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
                if (v.isNull() || !filter->Matches(v.toString())) continue;
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
    bool reread(qlonglong rowid, Row& out) {
        Statement s(db(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1").arg(selectColumns(), sql::QuoteIdentifier(table)),
                    QStringLiteral("Impossibile rileggere la riga"));
        s.bind(1, rowid, QStringLiteral("Impossibile rileggere la riga"));
        if (s.step(QStringLiteral("Impossibile rileggere la riga")) != SQLITE_ROW) return false;
        out.read(s, 0, columns.size());
        return true;
    }

    void commitPending() {
        if (edit == EditMode::None) return;
        std::vector<std::size_t> cols;
        std::vector<QVariant> values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!dirty[i]) continue;
            cols.push_back(i);
            values.push_back(storable(pending[i], columns[i].kind, columns[i].name)); // all checked before the write
        }
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
            inTransaction(what, [&](sqlite3* d) {
                Statement s(d, sqlText, what);
                for (std::size_t k = 0; k < values.size(); ++k) s.bind(static_cast<int>(k + 1), values[k], what);
                s.step(what);
                row.rowid = sqlite3_last_insert_rowid(d);
                if (!reread(row.rowid, row)) fail(kProviderError, what + QStringLiteral(": riga non trovata."));
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
                Row fresh;
                fresh.rowid = r->rowid;
                inTransaction(what, [&](sqlite3* d) {
                    Statement s(d, sqlText, what);
                    for (std::size_t k = 0; k < cols.size(); ++k) {
                        // A field whose text is not UTF-8, written back as it shows, keeps its bytes.
                        const QByteArray* stored = r->storedText(cols[k]);
                        if (stored && values[k] == r->values[cols[k]])
                            s.bindText(static_cast<int>(k + 1), *stored, what);
                        else
                            s.bind(static_cast<int>(k + 1), values[k], what);
                        r->bindStored(s, static_cast<int>(cols.size() + k + 2), cols[k], what);
                    }
                    s.bind(static_cast<int>(cols.size() + 1), r->rowid, what);
                    s.step(what);
                    if (sqlite3_changes(d) != 1) {
                        Row now;
                        if (!reread(r->rowid, now))
                            fail(kRowChanged, QStringLiteral("Impossibile salvare: la riga è stata eliminata dal "
                                                             "database dopo la lettura."));
                        fail(kRowChanged, QStringLiteral("Impossibile salvare: la riga è stata modificata da un "
                                                         "altro utente dopo la lettura. Rileggere i dati."));
                    }
                    if (!reread(r->rowid, fresh)) fail(kProviderError, what + QStringLiteral(": riga non trovata."));
                });
                *r = std::move(fresh);
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
    if (!activeConnection || activeConnection->State() != adStateOpen) failConnection();
    const QString what = QStringLiteral("Impossibile eseguire \"%1\"").arg(source.trimmed());
    sqlite3* db = activeConnection->impl()->forReading(what);

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
        r.read(s, 1, columns.size());
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
    std::optional<sql::LikePattern> pattern;
    int column = -1;
    if (!criteria.trimmed().isEmpty()) {
        const auto f = sql::ParseLikeFilter(criteria);
        if (!f) fail(kInvalidArgument, QStringLiteral("Filtro non valido: \"%1\"").arg(criteria));
        column = m.columnIndex(f->field);
        if (column < 0) failItem(f->field);
        pattern.emplace(f->pattern);
    }
    m.beforeLeavingRow();
    m.filter = std::move(pattern);
    m.filterColumn = column;
    m.filterText = m.filter ? criteria : QString();
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
    const QString what = QStringLiteral("Impossibile eliminare la riga");
    // Only the row as this recordset read it: one that someone else changed meanwhile is theirs
    // to keep, as with Update.
    QStringList guards;
    for (std::size_t k = 0; k < m.columns.size(); ++k)
        guards << QStringLiteral("%1 IS ?%2").arg(sql::QuoteIdentifier(m.columns[k].name)).arg(k + 2);
    QString sqlText = QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(sql::QuoteIdentifier(m.table));
    if (!guards.isEmpty()) sqlText += QStringLiteral(" AND ") + guards.join(QStringLiteral(" AND "));
    m.inTransaction(what, [&](sqlite3* d) {
        Statement s(d, sqlText, what);
        s.bind(1, r->rowid, what);
        for (std::size_t k = 0; k < m.columns.size(); ++k) r->bindStored(s, static_cast<int>(k + 2), k, what);
        s.step(what);
        if (sqlite3_changes(d) != 1) {
            Row now;
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
