#pragma once
// Connection and Recordset on SQLite 3, shaped after the data-access objects the materials code
// was written against. Every failed operation raises platform::Error (number and description).
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

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int CursorLocation() const;
    void CursorLocation(int value);
    // "PROVIDER=...;Data Source=<path>;": opens the SQLite file at <path>. A file that is not a
    // usable materials database fails here, not later.
    void Open(const QString& connectionString, const QString& userId = QString(),
              const QString& password = QString(), int options = -1);
    int State() const;
    void Close();

    // How long a write waits for a lock held by another connection (another running copy of the
    // program) before it fails with "database is locked". Default 5000 ms.
    int BusyTimeout() const;
    void BusyTimeout(int milliseconds);

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
    // Null QVariant for a null field or no current row.
    QVariant Value() const;
    // A numeric field written as text (" 2.5") holds that number.
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

    // Rows that the filter lets through; -1 when closed is not used: closed raises an error.
    long RecordCount() const;
    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    int FieldCount() const;
    Field Fields(int index);
    Field Fields(const QString& name);

    QString Sort() const;
    void Sort(const QString& fieldList);
    QString Filter() const;
    // "" clears; "Descrizione like 'prefix%'" keeps rows whose description begins with prefix
    // (case-insensitive, accents included; '' inside the quotes stands for one apostrophe).
    void Filter(const QString& criteria);

    // The current row's identity, valid across recordsets on the same table.
    QVariant Bookmark() const;
    void Bookmark(const QVariant& bookmark);

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
