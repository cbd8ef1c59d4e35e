// The other process of LockHolder: holds the database locked until its standard input closes.
#include "LockHolder.h"

#include <sqlite3.h>

#include <cstdio>
#include <iostream>
#include <string>

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
