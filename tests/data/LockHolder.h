#pragma once
// Another process that holds the database locked until told to let go: a second run of the test
// executable itself. Include this header in one file of a test executable: it brings the test
// that the second run executes.
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace testdb {

inline const char* const kLockDb = "CAPREO_TEST_LOCK_DB";
inline const char* const kLockMode = "CAPREO_TEST_LOCK_MODE";

class LockHolder {
public:
    enum Mode {
        Writing,  // a write transaction under way: others still read, nobody else writes
        Exclusive // nobody else reads or writes
    };
    LockHolder(const QString& path, Mode mode) {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(kLockDb, path);
        env.insert(kLockMode, mode == Exclusive ? "EXCLUSIVE" : "IMMEDIATE");
        child_.setProcessEnvironment(env);
        child_.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=LockHolderChild.HoldsTheLock"});
        EXPECT_TRUE(child_.waitForStarted(10000));
        QByteArray out;
        while (!out.contains("bloccato") && child_.waitForReadyRead(10000)) out += child_.readAllStandardOutput();
        EXPECT_TRUE(out.contains("bloccato")) << out.toStdString();
    }
    ~LockHolder() { release(); }
    void release() {
        if (child_.state() == QProcess::NotRunning) return;
        child_.closeWriteChannel();
        EXPECT_TRUE(child_.waitForFinished(10000));
        EXPECT_EQ(child_.exitCode(), 0);
    }

private:
    QProcess child_;
};

} // namespace testdb

TEST(LockHolderChild, HoldsTheLock) {
    const QByteArray path = qgetenv(testdb::kLockDb);
    if (path.isEmpty()) GTEST_SKIP() << "run only as the other process of LockHolder";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const std::string begin = "BEGIN " + qgetenv(testdb::kLockMode).toStdString();
    ASSERT_EQ(sqlite3_exec(db, begin.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE Legno SET Classe=Classe", nullptr, nullptr, nullptr), SQLITE_OK);
    std::printf("bloccato\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line); // until the parent closes the channel
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}
