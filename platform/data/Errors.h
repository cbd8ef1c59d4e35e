#pragma once
// The errors of the data layer: their numbers, and the Italian reason of every failure SQLite
// reports, with SQLite's own words after it in parentheses. Inside platform/data only.
#include "platform/basic/Error.h"

#include <QString>

struct sqlite3;

namespace data::detail {

// Numbers of the data-access errors, as users of such programs know them.
inline constexpr long kProviderError = -2147467259; // the database engine reported a failure
inline constexpr long kRowChanged = -2147217864;    // the row changed or vanished since it was read
inline constexpr long kInvalidArgument = 3001;
inline constexpr long kNoCurrentRecord = 3021;
inline constexpr long kNotSupported = 3251;
inline constexpr long kItemNotFound = 3265;
inline constexpr long kDataConversion = 3421;
inline constexpr long kObjectClosed = 3704;
inline constexpr long kObjectOpen = 3705;
inline constexpr long kInvalidConnection = 3709;

[[noreturn]] void fail(long number, const QString& description);
[[noreturn]] void failClosed();
[[noreturn]] void failNoCurrent();
[[noreturn]] void failConnection();
[[noreturn]] void failItem(const QString& name);

// A failure that says nothing against the file, only that it cannot be used now: a lock held by
// another program, or a journal left by a save cut short that cannot be rolled back while the
// file or its folder may not be written. The database will be usable again once that passes, so
// the user must hear exactly that and nothing that suggests a damaged file.
class Transient : public platform::Error {
public:
    using platform::Error::Error;
};

// Whether this process may write the file or folder now, by the rights that a write of SQLite
// will meet.
bool Writable(const QString& path);

// What the user reads for SQLite's result code rc (extended codes understood) on the database at
// path: the reason in Italian, then SQLite's message in parentheses, then a full stop.
// systemErrno is the operating system's error behind an input/output failure, 0 when unknown.
QString Reason(int rc, int systemErrno, const QString& sqliteMessage, const QString& path);

// Raises the connection's last failure as "<what>: <reason>"; what passes raises Transient.
[[noreturn]] void failSqlite(sqlite3* db, const QString& what);

} // namespace data::detail
