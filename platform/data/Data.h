#pragma once
// Connection and Recordset on SQLite 3, shaped after the data-access objects the materials code
// was written against. Every failed operation raises platform::Error (number and description); a
// description says what failed and why in Italian (read-only file or folder, disk full, file
// missing or replaced, no database or damaged, input/output error, lock), SQLite's own words in
// parentheses after it.
#include <QString>
#include <QVariant>
#include <memory>

namespace data {

enum CursorLocation : int { adUseServer = 2, adUseClient = 3 };
enum ObjectState : int { adStateClosed = 0, adStateOpen = 1 };
enum CursorType : int { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum LockType : int { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum CommandType : int { adCmdText = 1 };
enum AffectEnum : int { adAffectCurrent = 1 };
enum PositionEnum : long { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation() const;
    void CursorLocation(int value);
    // "PROVIDER=...;Data Source=<path>;": opens the SQLite file at <path> (which may hold ';').
    // A file that is not a usable materials database fails here, not later; one that another
    // program holds locked opens, and its check waits for the first read; one that may not be
    // written opens for reading.
    //
    // From then on the connection works on the file at <path>, whatever happens to it: each read
    // and each write first makes sure that the file there is still the one open. When it is gone,
    // the operation fails saying so, and the next one looks again. When another file stands
    // there, the operation fails saying so and the connection moves to that file (when it is a
    // usable database; it is never written otherwise). When someone else wrote the file in place
    // (a copy written over it, emptied, put back), it is opened again first, so that nothing
    // SQLite kept of it is read or written back; a write looks once more when it holds the lock,
    // for which it may have waited. So too when SQLite holds another file than the one at <path>
    // (another file stood there just while SQLite opened it). A file that could only be opened
    // for reading is opened again for a write, and for a read once it may be written, so that a
    // journal left by a program cut short can be rolled back.
    void Open(const QString& connectionString, const QString& userId = QString(),
              const QString& password = QString(), int options = -1);
    int State() const;
    void Close();

    // How long a write waits for a lock held by another connection (another running copy of the
    // program, another program) before it fails with a message that says the database is locked.
    // Default 5000 ms.
    int BusyTimeout() const;
    void BusyTimeout(int milliseconds);
    // The same for opening a recordset, kept short so that reading never freezes the windows.
    // Default 250 ms.
    int ReadTimeout() const;
    void ReadTimeout(int milliseconds);

    struct Impl;
    Impl* impl() const { return impl_.get(); }

private:
    std::unique_ptr<Impl> impl_;
};

class Recordset;

// One field of the current row, by name.
class Field {
public:
    QString Name() const;
    // Null QVariant for a null field; no current row raises error 3021. Integers come as
    // qlonglong, other numbers as double, text as QString (text that is not UTF-8 with
    // replacement characters: written back unchanged, it keeps its bytes). During an edit, the
    // value written last.
    QVariant Value() const;
    // Starts an edit of the current row when none is pending. A numeric field written as text
    // (" 2.5": point as decimal separator, blanks allowed) holds that number; text that is no
    // number makes the Update fail, and nothing of the row is written.
    void Value(const QVariant& v);

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : rs_(rs), index_(index) {}
    Recordset* rs_;
    int index_;
};

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // A static snapshot of a single-table select. A null connection raises an error.
    void Open(const QString& source, const std::shared_ptr<Connection>& activeConnection,
              int cursorType = adOpenStatic, int lockType = adLockPessimistic, int options = adCmdText);
    int State() const;
    void Close();

    // Rows that the filter lets through, deleted rows not counted. A closed recordset raises an
    // error here and in every other operation but State, FieldCount (0) and Open.
    long RecordCount() const;
    bool BOF() const;
    // The design's EOF; C's EOF macro takes that name.
    bool EOF_() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    // 1-based position of the current row among the rows shown; adPosBOF / adPosEOF off them.
    // Setting it makes that row current (error for a position outside 1..RecordCount).
    long AbsolutePosition() const;
    void AbsolutePosition(long position);
    // A field of the row at a 1-based position, without moving: what a grid paints.
    QVariant ValueAt(long position, int field) const;

    int FieldCount() const;
    Field Fields(int index);
    Field Fields(const QString& name);

    // "Numero", "Numero DESC, Classe": ascending unless DESC; moves to the first row.
    QString Sort() const;
    void Sort(const QString& fieldList);
    QString Filter() const;
    // "" clears; "Descrizione like 'prefix%'" keeps rows whose description begins with prefix
    // (case-insensitive, accents included; '' inside the quotes stands for one apostrophe; '%'
    // and '*' match any run of characters, any other character only itself, '_' too, and so does
    // a surrogate standing alone in text that is not valid UTF-16). Moves to the first row.
    // Anything else raises an error and leaves the filter as it was.
    void Filter(const QString& criteria);

    // The current row's identity, valid across recordsets on the same table.
    QVariant Bookmark() const;
    void Bookmark(const QVariant& bookmark);

    // Update and Delete reach the file at once, each in a transaction of its own. Both fail (and
    // write nothing) when another recordset or program changed or deleted the row since it was
    // read, its fields compared as the file stores them. A deleted row stays current until the
    // next move; moving, sorting or filtering with an edit pending updates first.
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete(int affect = adAffectCurrent);

    struct Impl;
    Impl* impl() const { return impl_.get(); }

private:
    friend class Field;
    std::unique_ptr<Impl> impl_;
};

} // namespace data
