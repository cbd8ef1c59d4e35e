#include "platform/data/Statement.h"

#include "platform/data/Errors.h"

#include <QByteArray>
#include <QMetaType>

#include <sqlite3.h>

namespace data::detail {

Statement::Statement(sqlite3* db, const QString& sql, const QString& what) : db_(db) {
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

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const QVariant& v, const QString& what) {
    int rc = SQLITE_OK;
    if (v.isNull() || !v.isValid()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::LongLong: rc = sqlite3_bind_int64(stmt_, index, v.toLongLong()); break;
        case QMetaType::Double: rc = sqlite3_bind_double(stmt_, index, v.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, index, b.constData(), static_cast<sqlite3_uint64>(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: bindText(index, v.toString().toUtf8(), what); return;
        }
    }
    if (rc != SQLITE_OK) failSqlite(db_, what);
}

void Statement::bindText(int index, const QByteArray& bytes, const QString& what) {
    if (sqlite3_bind_text64(stmt_, index, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK)
        failSqlite(db_, what);
}

int Statement::step(const QString& what) {
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) failSqlite(db_, what);
    return rc;
}

QVariant Statement::column(int i, std::optional<QByteArray>* undecodable) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT: {
        const QByteArrayView bytes(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                   sqlite3_column_bytes(stmt_, i));
        QString text = QString::fromUtf8(bytes);
        // Bytes that are not UTF-8 decode to replacement characters; only text holding one is
        // looked at again.
        if (undecodable && text.contains(QChar::ReplacementCharacter) && !bytes.isValidUtf8())
            *undecodable = bytes.toByteArray();
        return QVariant(std::move(text));
    }
    case SQLITE_BLOB: {
        const char* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        return QVariant(QByteArray(p, sqlite3_column_bytes(stmt_, i)));
    }
    default: return QVariant();
    }
}

void begin(sqlite3* db, int writeWaitMs, const QString& what) {
    sqlite3_busy_timeout(db, writeWaitMs);
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) failSqlite(db, what);
}

void commit(sqlite3* db, const QString& what) {
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) failSqlite(db, what);
}

void rollback(sqlite3* db) {
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace data::detail
