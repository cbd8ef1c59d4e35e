#pragma once
// The inside of a Connection, which its recordsets reach for the handle. Inside platform/data only.
#include "platform/data/Data.h"

#include <QString>

#include <functional>
#include <optional>

#include <ctime>
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
    // What the file looked like. The same file with another size, modification or change time
    // has been written (or had its rights changed) since.
    struct FileState {
        FileId id;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const FileState& o) const;
    };

    bool open = false;   // between a successful Open and Close, whatever became of the file
    sqlite3* db = nullptr; // none while the file at the path is missing or unusable
    // The file db has open, as it was when opened or as the connection's own last write left it,
    // when the path could be looked at. A change it does not show was made by someone else.
    std::optional<FileState> file;
    QString path;
    int cursorLocation = adUseServer;
    int busyTimeoutMs = 5000;
    int readTimeoutMs = 250;
    // False while something that passes (a lock held elsewhere, a journal that cannot be rolled
    // back yet) has kept the file from being checked.
    bool verified = false;

    // For tests: runs right after SQLite has opened the file and before the connection makes sure
    // which file that is, so that a test can swap the file at the path at that very moment.
    static std::function<void()> afterOpenForTests;

    ~Impl();
    void closeDb();
    // Opens the file at path (through a symbolic link, its target) and checks that it is a usable
    // materials database; raises (the handle closed) when it is not. Something that passes only
    // puts the check off.
    void openDb();

    // The handle for the next read or write, on the file now at the path. When that is no longer
    // the file open (deleted, moved, another renamed over it), the operation fails saying so and
    // the connection moves to the file now there, if any; a missing file is looked for again at
    // the next operation. When the file open was written by someone else, SQLite's cache of it
    // may hold pages that are no longer in it: the file is opened again before going on. A
    // connection that the file's rights kept read-only is opened again for a write, and for a
    // read once they allow writing, so that a journal left by a program cut short is rolled back.
    //
    // Another file at the path is told by its identity; so is SQLite holding another file than
    // the connection took it for (the path named another file during SQLite's own open), which is
    // opened again silently.
    sqlite3* forReading(const QString& what);
    // The handle with a write transaction begun on the file as it is now. The transaction may
    // have waited for another program's lock, during which the file may have been written in
    // place by someone who ignores locks: it starts again on the file opened anew.
    sqlite3* beginWrite(const QString& what);
    // After each of the connection's own writes that committed: the file as it left it. A write
    // that failed leaves the file's last known state alone, so that what others did meanwhile
    // is still seen as theirs.
    void wrote();

private:
    sqlite3* forWriting(const QString& what);
    void toFileAtPath(const QString& what);
    // Whether the file at the path is still as the connection last saw it.
    bool asLastSeen() const;
    sqlite3* checked();
};

} // namespace data
