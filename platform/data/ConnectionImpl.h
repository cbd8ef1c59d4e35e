#pragma once
// The inside of a Connection, which its recordsets reach for the handle. Inside platform/data only.
#include "platform/data/Data.h"

#include <QString>

#include <optional>

#include <sys/types.h>

struct sqlite3;

namespace data {

struct Connection::Impl {
    // Which file a path names: the same device and inode is the same file, whatever its name.
    struct FileId {
        dev_t device = 0;
        ino_t inode = 0;
        bool operator==(const FileId&) const = default;
    };

    bool open = false;   // between a successful Open and Close, whatever became of the file
    sqlite3* db = nullptr; // none while the file at the path is missing or unusable
    std::optional<FileId> file; // the file db has open, when the path could be looked at
    QString path;
    int cursorLocation = adUseServer;
    int busyTimeoutMs = 5000;
    int readTimeoutMs = 250;
    // False while a lock held elsewhere has kept the file from being checked.
    bool verified = false;

    ~Impl();
    void closeDb();
    // Opens the file at path and checks that it is a usable materials database; raises (the
    // handle closed) when it is not. A lock held elsewhere only puts the check off.
    void openDb();

    // The handle for the next read or write, on the file now at the path. When that is no longer
    // the file open (deleted, moved, another renamed over it), the operation fails saying so and
    // the connection moves to the file now there, if any; a missing file is looked for again at
    // the next operation. A write also reopens a connection that the file's rights kept read-only,
    // in case they allow writing now.
    sqlite3* forReading(const QString& what);
    sqlite3* forWriting(const QString& what);

private:
    void toFileAtPath(const QString& what);
    sqlite3* checked();
};

} // namespace data
