#pragma once
// One SQL statement on an SQLite connection, and the steps of a write transaction. Inside
// platform/data only.
#include <QString>
#include <QVariant>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace data::detail {

// A prepared statement that finalizes itself. Every failure raises, its reason in Italian.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QString& what);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    // 1-based parameter: integers, doubles, byte arrays as such, anything else as text; null as null.
    void bind(int index, const QVariant& v, const QString& what);
    // Text given as the very bytes SQLite is to store.
    void bindText(int index, const QByteArray& bytes, const QString& what);
    // SQLITE_ROW or SQLITE_DONE; anything else raises.
    int step(const QString& what);
    // A column of the current row: qlonglong, double, QString, QByteArray, or null. Text that is
    // not UTF-8 (another program wrote it in another encoding) comes with replacement characters;
    // its bytes, the only thing that stands for what the file holds, go to *undecodable when asked
    // for, which is left alone for any other value.
    QVariant column(int i, std::optional<QByteArray>* undecodable = nullptr) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE: it may wait up to writeWaitMs for a lock another program holds.
void begin(sqlite3* db, int writeWaitMs, const QString& what);
void commit(sqlite3* db, const QString& what);
void rollback(sqlite3* db);

} // namespace data::detail
