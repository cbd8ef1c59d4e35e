#pragma once
// Another process that holds the database locked until told to let go: a second run of the test
// executable itself. A test executable that uses it builds LockHolderChild.cpp too, the test that
// the second run executes.
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <gtest/gtest.h>


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
