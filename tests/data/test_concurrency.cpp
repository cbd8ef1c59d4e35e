// Two running copies of the program on one database file: each save either goes through whole or
// fails with an error; the file is never damaged.
#include "Errors.h"
#include "LockHolder.h"
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

TEST(Concurrency, ALockHeldByAnotherProgramIsReportedAsSuchAndPassesWithIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("MaterialiQor.dms");
    testdb::makeMaterials(path);
    auto isLocked = [](const std::optional<platform::Error>& e) {
        if (!e) return ::testing::AssertionFailure() << "no error";
        const QString d = QString::fromStdString(e->description());
        if (!d.contains("il database è bloccato da un altro programma") || d.contains("non è un database valido"))
            return ::testing::AssertionFailure() << e->description();
        return ::testing::AssertionSuccess();
    };

    // Locked at opening: the connection opens all the same, reads say why they fail, and work
    // once the other program lets go.
    std::shared_ptr<data::Connection> cn;
    {
        testdb::LockHolder other(path, testdb::LockHolder::Exclusive);
        cn = testdb::open(path);
        EXPECT_EQ(cn->State(), data::adStateOpen);
        EXPECT_EQ(cn->ReadTimeout(), 250);
        EXPECT_TRUE(isLocked(testing_support::RaisedError([&] { query(cn, "Select * from Legno "); })));
        EXPECT_TRUE(isLocked(testing_support::RaisedError([&] { query(cn, "Select * from Legno "); })));
    }
    EXPECT_EQ(query(cn, "Select * from Legno ")->RecordCount(), 9);

    // Another program writing: reads go on, a save fails saying so and is kept pending, and goes
    // through once the lock is gone.
    cn->BusyTimeout(200);
    auto rs = query(cn, "Select * From Legno where Numero=30");
    {
        testdb::LockHolder other(path, testdb::LockHolder::Writing);
        EXPECT_EQ(query(cn, "Select * From Legno where Numero=10")->Fields("Classe").Value().toString(), "D30");
        rs->Fields("Fmk").Value(" 7.5");
        EXPECT_TRUE(isLocked(testing_support::RaisedError([&] { rs->Update(); })));
        auto gone = query(cn, "Select * From Legno where Numero=10");
        EXPECT_TRUE(isLocked(testing_support::RaisedError([&] { gone->Delete(); })));
    }
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "24.0");
    rs->Update();
    EXPECT_EQ(testdb::scalar(path, "SELECT Fmk FROM Legno WHERE Numero=30"), "7.5");
    EXPECT_EQ(testdb::scalar(path, "SELECT count(*) FROM Legno"), "9");
    EXPECT_EQ(testdb::integrity(path), "ok");

    // A file that is no database still says so, lock or none.
    const QString bad = dir.filePath("rotto.dms");
    testdb::exec(bad, "CREATE TABLE Altro (x INTEGER);");
    const auto e = testing_support::RaisedError([&] { testdb::open(bad); });
    ASSERT_TRUE(e);
    EXPECT_NE(e->description().find("Legno"), std::string::npos);
}
