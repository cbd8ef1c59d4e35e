#pragma once
// Database files for the data tests, made and inspected with SQLite directly, so that what the
// recordset wrote is checked by something other than the recordset.
#include "platform/data/Data.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace testdb {

inline const char* const kSchema =
    "CREATE TABLE Legno (Numero INTEGER, Classe TEXT, Descrizione TEXT, Fmk REAL, Ft0k REAL, Ft90k REAL,"
    " Fc0k REAL, Fc90k REAL, Fvk REAL, E0mean REAL, E05 REAL, E90mean REAL, Gmean REAL, rok REAL);";

// Runs SQL on the file, outside the code under test.
inline void exec(const QString& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
              SQLITE_OK);
    char* msg = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
    EXPECT_EQ(rc, SQLITE_OK) << (msg ? msg : "");
    sqlite3_free(msg);
    sqlite3_close(db);
}

// The first column of the first row of a query, as text ("" when there is no row). Opened for
// writing where the file allows it, so that a save cut short by a crash is rolled back first, as
// the next program to open the file would.
inline std::string scalar(const QString& path, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string out;
    const QByteArray name = path.toUtf8();
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        db = nullptr;
        sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    }
    if (db) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW &&
            sqlite3_column_text(st, 0))
            out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

inline std::string integrity(const QString& path) { return scalar(path, "PRAGMA integrity_check"); }

// A materials table whose rowid order differs from the Numero order, with the descriptions the
// filter tests need.
inline void makeMaterials(const QString& path) {
    exec(path, std::string(kSchema) +
                   "INSERT INTO Legno (Numero, Classe, Descrizione, Fmk, Ft0k, rok) VALUES"
                   " (30, 'C24', 'Conifera C24', 24, 14.5, 350),"
                   " (10, 'D30', 'Latifoglia D30', 30, 18, 530),"
                   " (20, 'X', 'Èrable maiuscolo', 20, 1, 1),"
                   " (15, 'X', 'èrable minuscolo', 15, 1, 1),"
                   " (40, 'X', 'L''abete bianco', 40, 1, 1),"
                   " (5, 'X', ' Spazio iniziale', 5, 1, 1),"
                   " (25, 'X', 'A_B legno', 25, 1, 1),"
                   " (26, 'X', 'AxB legno', 26, 1, 1),"
                   " (35, 'c', 'conifera minuscola', 35, 1, 1);");
}

inline std::shared_ptr<data::Connection> open(const QString& path) {
    auto cn = std::make_shared<data::Connection>();
    cn->CursorLocation(data::adUseClient);
    cn->Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";", "", "", -1);
    return cn;
}

inline std::shared_ptr<data::Recordset> query(const std::shared_ptr<data::Connection>& cn, const QString& sql) {
    auto rs = std::make_shared<data::Recordset>();
    rs->Open(sql, cn, data::adOpenStatic, data::adLockPessimistic, data::adCmdText);
    return rs;
}

// The Numero of every row, in the recordset's order.
inline std::vector<long long> numbers(data::Recordset& rs) {
    std::vector<long long> out;
    if (rs.RecordCount() == 0) return out;
    rs.MoveFirst();
    while (!rs.EOF_()) {
        out.push_back(rs.Fields("Numero").Value().toLongLong());
        rs.MoveNext();
    }
    rs.MoveFirst();
    return out;
}

} // namespace testdb
