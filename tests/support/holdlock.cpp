// holdlock <database>: takes an exclusive lock on the database from a
// process of its own, prints "locked" and holds the lock until its standard
// input closes. The hostile-file tests use it as "another program".

#include <sqlite3.h>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    sqlite3 *db = nullptr;
    if (sqlite3_open(argv[1], &db) != SQLITE_OK
        || sqlite3_exec(db, "pragma locking_mode = exclusive; begin exclusive", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "holdlock: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    sqlite3_close(db);
    return 0;
}
