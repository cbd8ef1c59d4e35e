// Build tool: makes an SQLite database file from an SQL text.
//   mkarchive <input.sql> <output>
// The database is written beside the output and renamed over it only when complete, so an
// interrupted build never leaves a half-made archive that looks finished.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

int failWith(const std::string& what, sqlite3* db = nullptr) {
    std::cerr << "mkarchive: " << what;
    if (db) std::cerr << ": " << sqlite3_errmsg(db);
    std::cerr << '\n';
    if (db) sqlite3_close(db);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: mkarchive <input.sql> <output>\n";
        return 2;
    }
    const fs::path input = argv[1];
    const fs::path output = argv[2];
    const fs::path partial = output.string() + ".partial";

    std::ifstream in(input, std::ios::binary);
    if (!in) return failWith("cannot read " + input.string());
    std::ostringstream text;
    text << in.rdbuf();

    std::error_code ec;
    fs::remove(partial, ec);
    if (!output.parent_path().empty()) fs::create_directories(output.parent_path(), ec);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(partial.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return failWith("cannot create " + partial.string(), db);
    const std::string script = "BEGIN;\n" + text.str() + "\nCOMMIT;";
    char* message = nullptr;
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::cerr << "mkarchive: " << input.string() << ": " << (message ? message : "error") << '\n';
        sqlite3_free(message);
        sqlite3_close(db);
        fs::remove(partial, ec);
        return 1;
    }
    if (sqlite3_close(db) != SQLITE_OK) return failWith("cannot close " + partial.string());

    fs::rename(partial, output, ec);
    if (ec) {
        fs::remove(partial, ec);
        return failWith("cannot write " + output.string());
    }
    return 0;
}
