// Two running copies of the program on one database file: each save either goes through whole or
// fails with an error; the file is never damaged.
#include "TestDb.h"

#include "platform/basic/Error.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <cstdio>

using testdb::query;

namespace {

const char* const kChildDb = "CAPREO_TEST_CHILD_DB";

struct Tally {
    int added = 0;
    int failed = 0;
};

// What one running copy does: add rows numbered from `base`, change a shared row, read the list.
Tally work(const QString& path, int base, int rounds) {
    Tally t;
    auto cn = testdb::open(path);
    for (int i = 0; i < rounds; ++i) {
        try {
            auto add = query(cn, "Select * From Legno where Numero =0");
            add->AddNew();
            add->Fields("Numero").Value(QString::number(base + i));
            add->Fields("Descrizione").Value("Copia " + QString::number(base));
            add->Fields("Fmk").Value(" 2.5");
            add->Update();
            ++t.added;
        } catch (const platform::Error&) {
            ++t.failed;
        }
        try {
            auto edit = query(cn, "Select * From Legno where Numero=30");
            edit->Fields("Fmk").Value(QString::number(base + i));
            edit->Update();
        } catch (const platform::Error&) {
            ++t.failed; // a conflict with the other copy's save is an error, never a lost write
        }
        try {
            auto list = query(cn, "Select * from Legno ");
            EXPECT_GE(list->RecordCount(), 9);
        } catch (const platform::Error&) {
            ++t.failed;
        }
    }
    return t;
}

} // namespace

// The second copy: runs only when the test below starts this executable for it.
TEST(ConcurrencyChild, Writer) {
    const QString path = qEnvironmentVariable(kChildDb);
    if (path.isEmpty()) GTEST_SKIP() << "started only as the second copy";
    const Tally t = work(path, 1000, 60);
    printf("added=%d failed=%d\n", t.added, t.failed);
    fflush(stdout);
}

TEST(Concurrency, TwoRunningCopiesSavingAtOnceLeaveASoundFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MaterialiQor.dms");
    testdb::makeMaterials(path);

    QProcess child;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildDb, path);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=ConcurrencyChild.Writer"});
    ASSERT_TRUE(child.waitForStarted(10000));
    const Tally mine = work(path, 2000, 60);
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    ASSERT_EQ(child.exitCode(), 0) << out.toStdString();
    const auto m = QRegularExpression("added=(\\d+)").match(out);
    ASSERT_TRUE(m.hasMatch()) << out.toStdString();
    const int theirs = m.captured(1).toInt();

    EXPECT_EQ(testdb::integrity(path), "ok");
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero BETWEEN 1000 AND 1999"),
              std::to_string(theirs));
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero BETWEEN 2000 AND 2999"),
              std::to_string(mine.added));
    // Every added row is whole.
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno WHERE Numero >= 1000 AND (Fmk IS NOT 2.5 "
                                   "OR Descrizione NOT LIKE 'Copia %')"),
              "0");
}

TEST(Concurrency, ALockHeldByAnotherCopyIsAnErrorAndTheSaveCanBeRepeated) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MaterialiQor.dms");
    testdb::makeMaterials(path);
    auto cn = testdb::open(path);
    cn->BusyTimeout(200);
    EXPECT_EQ(cn->BusyTimeout(), 200);

    auto rs = query(cn, "Select * From Legno where Numero=30");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; UPDATE Legno SET Classe='altro' WHERE Numero=10;", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);

    rs->Fields("Fmk").Value(" 7.5");
    try {
        rs->Update();
        ADD_FAILURE() << "saved through another copy's lock";
    } catch (const platform::Error& e) {
        EXPECT_NE(e.number(), 0);
        EXPECT_NE(e.description().find("locked"), std::string::npos) << e.description();
    }
    // Meanwhile this copy still reads what was last saved.
    EXPECT_EQ(query(cn, "Select * From Legno where Numero=10")->Fields("Classe").Value().toString(), "D30");
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "24.0");

    ASSERT_EQ(sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);
    rs->Update(); // the pending change is still there and now goes through
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "7.5");
    EXPECT_EQ(testdb::scalar(path, "SELECT Classe FROM Legno WHERE Numero=10"), "altro");
    EXPECT_EQ(testdb::integrity(path), "ok");
}
