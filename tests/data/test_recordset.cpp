// Connection and Recordset on a real SQLite file: opening, the program's statements, sort, filter,
// bookmarks, and writes that reach the file whole or not at all.
#include "Errors.h"
#include "Rights.h"
#include "TestDb.h"

#include "platform/basic/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

using testdb::numbers;
using testdb::query;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("MaterialiQor.dms");
        testdb::makeMaterials(path);
        cn = testdb::open(path);
    }
    QTemporaryDir dir;
    QString path;
    std::shared_ptr<data::Connection> cn;
};

long errorNumber(const std::function<void()>& f) {
    const auto e = testing_support::RaisedError(f);
    if (!e) {
        ADD_FAILURE() << "no error raised";
        return 0;
    }
    EXPECT_FALSE(e->description().empty());
    return e->number();
}

} // namespace

TEST(ConnectionOpen, RefusesWhatIsNotAMaterialsDatabase) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.dms");
    const QString random = dir.filePath("random.dms");
    const QString noTable = dir.filePath("notable.dms");
    const QString text = dir.filePath("text.dms");
    const QString folder = dir.filePath("folder.dms");
    const QString truncated = dir.filePath("truncated.dms");
    {
        QFile f(random);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes(8192, '\0');
        for (auto& b : bytes) b = static_cast<char>(QRandomGenerator::global()->bounded(256));
        f.write(bytes);
    }
    testdb::exec(noTable, "CREATE TABLE Altro (x INTEGER);");
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Numero;Descrizione\n1;Abete\n");
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    {
        testdb::makeMaterials(truncated);
        QFile f(truncated);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(100); // header only
    }
    for (const QString& p : {missing, random, noTable, text, folder, truncated}) {
        SCOPED_TRACE(p.toStdString());
        data::Connection cn;
        cn.CursorLocation(data::adUseClient);
        try {
            cn.Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + p + ";");
            ADD_FAILURE() << "opened";
        } catch (const platform::Error& e) {
            EXPECT_NE(e.number(), 0);
            EXPECT_FALSE(e.description().empty());
        }
        EXPECT_EQ(cn.State(), data::adStateClosed);
    }
    EXPECT_FALSE(QFileInfo::exists(missing)) << "opening must never create the file";
}

TEST(ConnectionOpen, ReadsTheDataSourceOfTheConnectionText) {
    QTemporaryDir dir;
    // A path may hold ';' (and even what looks like a key), blanks and accents.
    ASSERT_TRUE(QDir(dir.path()).mkpath("a;b=c"));
    const QString semicolons = dir.filePath("a;b=c/x;.dms");
    testdb::makeMaterials(semicolons);
    for (const QString& text : {"PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=" + semicolons + ";",
                                "Data Source=" + semicolons + ";Provider=Microsoft.Jet.OLEDB.4.0;",
                                "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + semicolons +
                                    ";Jet OLEDB:Database Password=;"}) {
        SCOPED_TRACE(text.toStdString());
        data::Connection withSemicolons;
        withSemicolons.Open(text, "", "", -1);
        EXPECT_EQ(testdb::query(std::shared_ptr<data::Connection>(&withSemicolons, [](auto*) {}),
                                "Select * from Legno ")
                      ->RecordCount(),
                  9);
    }
    const QString p = dir.filePath("con spazi e àccenti.dms");
    testdb::makeMaterials(p);
    data::Connection cn;
    EXPECT_EQ(cn.State(), data::adStateClosed);
    cn.Open("provider=Microsoft.Jet.OLEDB.4.0; data source = " + p + " ;", "", "", -1);
    EXPECT_EQ(cn.State(), data::adStateOpen);
    EXPECT_EQ(errorNumber([&] { cn.Open("PROVIDER=x;Data Source=" + p + ";"); }), 3705);
    cn.Close();
    EXPECT_EQ(cn.State(), data::adStateClosed);
    EXPECT_EQ(errorNumber([&] { cn.Close(); }), 3704);
    EXPECT_NE(errorNumber([&] { cn.Open("PROVIDER=Microsoft.Jet.OLEDB.4.0;"); }), 0);
}

TEST_F(RecordsetTest, NoConnectionOrAClosedOneIsAnError) {
    data::Recordset rs;
    EXPECT_EQ(errorNumber([&] { rs.Open("Select * from Legno ", nullptr); }), 3709);
    EXPECT_EQ(rs.State(), data::adStateClosed);
    auto closed = std::make_shared<data::Connection>();
    EXPECT_EQ(errorNumber([&] { rs.Open("Select * from Legno ", closed); }), 3709);
    // A closed recordset refuses everything but opening.
    EXPECT_EQ(errorNumber([&] { (void)rs.RecordCount(); }), 3704);
    EXPECT_EQ(errorNumber([&] { rs.MoveFirst(); }), 3704);
    EXPECT_EQ(errorNumber([&] { rs.Close(); }), 3704);
    EXPECT_EQ(errorNumber([&] { rs.AddNew(); }), 3704);
    EXPECT_EQ(rs.FieldCount(), 0);
    // A recordset whose connection was closed meanwhile can still be read but not written.
    auto open = query(cn, "Select * from Legno ");
    cn->Close();
    EXPECT_EQ(open->RecordCount(), 9);
    open->Fields("Fmk").Value(" 1");
    EXPECT_EQ(errorNumber([&] { open->Update(); }), 3709);
}

TEST_F(RecordsetTest, TheProgramsStatementsAndTheTablesFieldOrder) {
    auto all = query(cn, "Select * from Legno ");
    EXPECT_EQ(all->RecordCount(), 9);
    const QStringList expected{"Numero", "Classe", "Descrizione", "Fmk", "Ft0k", "Ft90k", "Fc0k",
                               "Fc90k", "Fvk", "E0mean", "E05", "E90mean", "Gmean", "rok"};
    ASSERT_EQ(all->FieldCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < all->FieldCount(); ++i) EXPECT_EQ(all->Fields(i).Name(), expected[i]);

    auto one = query(cn, "Select * From Legno Where Numero=30");
    ASSERT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->Fields("Descrizione").Value().toString(), "Conifera C24");
    EXPECT_DOUBLE_EQ(one->Fields("fmk").Value().toDouble(), 24.0); // names as in any case
    EXPECT_DOUBLE_EQ(one->Fields("Ft0k").Value().toDouble(), 14.5);
    EXPECT_TRUE(one->Fields("Fvk").Value().isNull());
    EXPECT_EQ(query(cn, "Select * From Legno where Numero=10")->RecordCount(), 1);
    EXPECT_EQ(query(cn, "select * from legno where numero=12")->RecordCount(), 0);

    auto none = query(cn, "Select * From Legno where Numero =0");
    EXPECT_EQ(none->RecordCount(), 0);
    EXPECT_TRUE(none->BOF());
    EXPECT_TRUE(none->EOF_());
    EXPECT_EQ(errorNumber([&] { (void)none->Fields("Numero").Value(); }), 3021);
    EXPECT_EQ(errorNumber([&] { (void)none->Bookmark(); }), 3021);
    EXPECT_EQ(errorNumber([&] { none->Fields("Numero").Value(5); }), 3021);

    EXPECT_EQ(errorNumber([&] { (void)all->Fields("Nessuno"); }), 3265);
    // Statements the program never passes are refused with the database's own message.
    EXPECT_NE(errorNumber([&] { query(cn, "Select * From Legname"); }), 0);
    EXPECT_NE(errorNumber([&] { query(cn, "Select * From Legno where Nessuno=1"); }), 0);
    EXPECT_NE(errorNumber([&] { query(cn, "Select * From Legno where Numero=1; DROP TABLE Legno"); }), 0);
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "9");
}

TEST_F(RecordsetTest, SortAndMoves) {
    auto rs = query(cn, "Select * from Legno ");
    EXPECT_EQ(numbers(*rs), (std::vector<long long>{30, 10, 20, 15, 40, 5, 25, 26, 35})); // as read
    rs->Sort("Numero");
    EXPECT_EQ(rs->Sort(), "Numero");
    EXPECT_EQ(numbers(*rs), (std::vector<long long>{5, 10, 15, 20, 25, 26, 30, 35, 40}));
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 40);
    EXPECT_FALSE(rs->EOF_());
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF_());
    EXPECT_EQ(errorNumber([&] { rs->MoveNext(); }), 3021);
    rs->MovePrevious();
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 40);
    rs->MoveFirst();
    rs->MovePrevious();
    EXPECT_TRUE(rs->BOF());
    EXPECT_EQ(errorNumber([&] { rs->MovePrevious(); }), 3021);
    // Positions, as a grid reads them without moving the current row.
    rs->MoveFirst();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_EQ(rs->ValueAt(2, 0).toLongLong(), 10);
    EXPECT_EQ(rs->ValueAt(9, 2).toString(), "L'abete bianco");
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->AbsolutePosition(9);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 40);
    EXPECT_NE(errorNumber([&] { rs->AbsolutePosition(10); }), 0);
    EXPECT_NE(errorNumber([&] { (void)rs->ValueAt(0, 0); }), 0);
    EXPECT_NE(errorNumber([&] { (void)rs->ValueAt(1, 14); }), 0);
    rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), data::adPosEOF);
    rs->Sort("Numero DESC");
    EXPECT_EQ(numbers(*rs).front(), 40);
    EXPECT_NE(errorNumber([&] { rs->Sort("Nessuno"); }), 0);
    EXPECT_EQ(rs->Sort(), "Numero DESC");
}

TEST_F(RecordsetTest, FilterByTheBeginningOfTheDescription) {
    auto rs = query(cn, "Select * from Legno ");
    rs->Sort("Numero");
    struct Case {
        QString prefix; // as the list builds it: '' for an apostrophe
        std::vector<long long> rows;
    } cases[] = {
        {"Conifera", {30, 35}},          // case-insensitive
        {"CONIFERA C", {30}},
        {"È", {15, 20}},                  // accented capital and small letter alike
        {"è", {15, 20}},
        {"L''abete", {40}},               // apostrophe
        {"l''", {40}},
        {" Spa", {5}},                    // a leading blank is part of the prefix
        {"Spa", {}},
        {"A_B", {25}},                    // "_" is no wildcard
        {"", {5, 10, 15, 20, 25, 26, 30, 35, 40}},
        {"Zzz", {}},
        {QChar(0xD83D), {}},                // a surrogate alone, pasted: no description begins with it
        {"Con" + QString(QChar(0xDC00)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix.toStdString());
        rs->Filter("Descrizione like '" + c.prefix + "%'");
        EXPECT_EQ(rs->RecordCount(), static_cast<long>(c.rows.size()));
        EXPECT_EQ(numbers(*rs), c.rows);
        if (!c.rows.empty()) {
            rs->MoveLast(); // the list proposes the highest visible number + 1
            EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), c.rows.back());
        } else {
            EXPECT_TRUE(rs->BOF() && rs->EOF_());
        }
    }
    rs->Filter("");
    EXPECT_EQ(rs->RecordCount(), 9);
    EXPECT_EQ(rs->Filter(), "");

    // A malformed filter is an error and leaves the recordset as it was.
    rs->Filter("Descrizione like 'Lat%'");
    EXPECT_NE(errorNumber([&] { rs->Filter("Descrizione like 'L'abete%'"); }), 0);
    EXPECT_NE(errorNumber([&] { rs->Filter("Nessuno like 'a%'"); }), 0);
    EXPECT_EQ(rs->Filter(), "Descrizione like 'Lat%'");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 10);
}

TEST_F(RecordsetTest, BookmarkCarriesOverToANewRecordsetOnTheSameTable) {
    auto first = query(cn, "Select * from Legno ");
    first->Sort("Numero");
    first->MoveFirst();
    first->MoveNext();
    first->MoveNext(); // Numero 15
    const QVariant mark = first->Bookmark();
    auto second = query(cn, "Select * from Legno ");
    second->Sort("Numero");
    second->Bookmark(mark);
    EXPECT_EQ(second->Fields("Numero").Value().toLongLong(), 15);
    EXPECT_EQ(second->Bookmark(), mark);

    // A row the new recordset does not show refuses the bookmark and leaves the position alone.
    second->Filter("Descrizione like 'Con%'");
    const auto before = second->Fields("Numero").Value();
    EXPECT_NE(errorNumber([&] { second->Bookmark(mark); }), 0);
    EXPECT_EQ(second->Fields("Numero").Value(), before);
    EXPECT_NE(errorNumber([&] { second->Bookmark(QVariant()); }), 0);
}

TEST_F(RecordsetTest, AddUpdateDeleteReachTheFileAndSurviveReopening) {
    // A new material, written as the card writes it: numbers as text with a point and a blank.
    auto add = query(cn, "Select * From Legno where Numero =0");
    add->AddNew();
    add->Fields("Numero").Value("41");
    add->Fields("Classe").Value("C27");
    add->Fields("Descrizione").Value("Conifera nuova");
    add->Fields("Fmk").Value(" 2.5");
    add->Fields("Ft0k").Value(" .5");
    add->Fields("Fc0k").Value("-3");
    add->Fields("rok").Value(" 1.5E+07");
    add->Update();
    EXPECT_EQ(add->RecordCount(), 1);
    EXPECT_EQ(add->Fields("Numero").Value().toLongLong(), 41);
    EXPECT_EQ(testdb::scalar(path, "SELECT typeof(Fmk) || ' ' || Fmk FROM Legno WHERE Numero=41"), "real 2.5");
    EXPECT_EQ(testdb::scalar(path, "SELECT typeof(Numero) FROM Legno WHERE Numero=41"), "integer");
    add->Close();
    cn->Close();

    cn = testdb::open(path);
    auto edit = query(cn, "Select * From Legno where Numero=41");
    ASSERT_EQ(edit->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(edit->Fields("Fmk").Value().toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(edit->Fields("Ft0k").Value().toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(edit->Fields("Fc0k").Value().toDouble(), -3.0);
    EXPECT_DOUBLE_EQ(edit->Fields("rok").Value().toDouble(), 1.5e7);
    EXPECT_EQ(edit->Fields("Descrizione").Value().toString(), "Conifera nuova");

    edit->Fields("Numero").Value("42");
    edit->Fields("Fmk").Value(" 3.75");
    EXPECT_DOUBLE_EQ(edit->Fields("Fmk").Value().toDouble(), 3.75); // the pending value reads back
    edit->Update();
    cn->Close();

    cn = testdb::open(path);
    EXPECT_EQ(query(cn, "Select * From Legno where Numero=41")->RecordCount(), 0);
    auto del = query(cn, "Select * From Legno where Numero=42");
    ASSERT_EQ(del->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(del->Fields("Fmk").Value().toDouble(), 3.75);
    del->Delete(data::adAffectCurrent);
    EXPECT_EQ(del->RecordCount(), 0);
    EXPECT_EQ(errorNumber([&] { (void)del->Bookmark(); }), 3021);
    cn->Close();

    cn = testdb::open(path);
    EXPECT_EQ(query(cn, "Select * From Legno where Numero=42")->RecordCount(), 0);
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "9");
    EXPECT_EQ(testdb::integrity(path), "ok");
}

TEST_F(RecordsetTest, CancelUpdateDropsThePendingChanges) {
    auto rs = query(cn, "Select * From Legno where Numero=30");
    rs->Fields("Fmk").Value(" 99");
    rs->CancelUpdate();
    EXPECT_DOUBLE_EQ(rs->Fields("Fmk").Value().toDouble(), 24.0);
    rs->AddNew();
    rs->Fields("Numero").Value(" 77");
    rs->CancelUpdate();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 30);
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "24.0");
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero=77"), "0");
}

TEST_F(RecordsetTest, AValueThatIsNoNumberFailsTheUpdateAndNothingIsHalfWritten) {
    // New row: the good fields before the bad one must not reach the file either.
    auto add = query(cn, "Select * From Legno where Numero =0");
    add->AddNew();
    add->Fields("Numero").Value("50");
    add->Fields("Descrizione").Value("Mezza riga");
    add->Fields("Fmk").Value(" 2.5");
    add->Fields("Ft0k").Value("2,5"); // a comma is no number here
    add->Fields("Fc0k").Value(" 4");
    EXPECT_EQ(errorNumber([&] { add->Update(); }), 3421);
    add->CancelUpdate();
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero=50"), "0");

    // Existing row: same.
    auto edit = query(cn, "Select * From Legno where Numero=30");
    edit->Fields("Fmk").Value(" 1");
    edit->Fields("Ft0k").Value("abc");
    EXPECT_EQ(errorNumber([&] { edit->Update(); }), 3421);
    edit->CancelUpdate();
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk || ' ' || Ft0k FROM Legno WHERE Numero=30"), "24.0 14.5");

    // The recordset stays usable: a good save afterwards goes through.
    edit->Fields("Fmk").Value(" 1");
    edit->Update();
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "1.0");
    for (const char* bad : {"", "   ", "1 000", "12abc"}) {
        edit->Fields("rok").Value(QString::fromUtf8(bad));
        EXPECT_EQ(errorNumber([&] { edit->Update(); }), 3421) << bad;
        edit->CancelUpdate();
    }
    EXPECT_EQ(testdb::integrity(path), "ok");
}

TEST_F(RecordsetTest, ARowChangedOrDeletedByAnotherRecordsetIsAConflictNotALostWrite) {
    auto a = query(cn, "Select * From Legno where Numero=30");
    auto b = query(cn, "Select * From Legno where Numero=30");
    a->Fields("Fmk").Value(" 11");
    a->Update();
    b->Fields("Fmk").Value(" 22");
    EXPECT_NE(errorNumber([&] { b->Update(); }), 0);
    b->CancelUpdate();
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "11.0");
    // A field the other one did not touch can still be saved.
    b->Fields("Classe").Value("C24 bis");
    b->Update();
    EXPECT_EQ(testdb::scalar(path, "SELECT Classe || ' ' || Fmk FROM Legno WHERE Numero=30"), "C24 bis 11.0");

    auto c = query(cn, "Select * From Legno where Numero=10");
    auto d = query(cn, "Select * From Legno where Numero=10");
    c->Delete();
    EXPECT_NE(errorNumber([&] { d->Delete(); }), 0);
    d->Fields("Fmk").Value(" 5");
    EXPECT_NE(errorNumber([&] { d->Update(); }), 0);
    d->CancelUpdate();
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero=10"), "0");
    // Nor does a delete take a row someone else changed after it was read.
    auto e = query(cn, "Select * From Legno where Numero=20");
    auto f = query(cn, "Select * From Legno where Numero=20");
    e->Fields("Fmk").Value(" 21");
    e->Update();
    EXPECT_NE(errorNumber([&] { f->Delete(); }), 0);
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=20"), "21.0");
    e->Delete();
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "7");
    EXPECT_EQ(testdb::integrity(path), "ok");
}

TEST_F(RecordsetTest, DeleteTakesOnlyTheCurrentRowAndMovesSkipIt) {
    auto rs = query(cn, "Select * from Legno ");
    rs->Sort("Numero");
    rs->MoveFirst();
    rs->MoveNext(); // 10
    rs->Delete();
    EXPECT_EQ(errorNumber([&] { (void)rs->Fields("Numero").Value(); }), 3021);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 15);
    rs->MovePrevious();
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 5);
    EXPECT_EQ(rs->RecordCount(), 8);
    EXPECT_EQ(rs->ValueAt(2, 0).toLongLong(), 15); // positions count the rows still there
    EXPECT_EQ(rs->ValueAt(8, 0).toLongLong(), 40);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_NE(errorNumber([&] { rs->Delete(3); }), 0); // only the current row
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "8");
}

TEST_F(RecordsetTest, AReadOnlyFileOpensButRefusesWritesCleanly) {
    testdb::RightsBind rights;
    cn->Close();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    cn = testdb::open(path);
    auto rs = query(cn, "Select * From Legno where Numero=30");
    rs->Fields("Fmk").Value(" 1");
    EXPECT_NE(errorNumber([&] { rs->Update(); }), 0);
    rs->CancelUpdate();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "24.0");
    // Writable again: the same connection writes, without being opened anew by its user.
    rs->Fields("Fmk").Value(" 1");
    rs->Update();
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "1.0");
}
