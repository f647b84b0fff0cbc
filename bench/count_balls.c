/* The floor of the whole-process comparisons: count the main balls of a draw table through
 * SQLite's C API and nothing else, then print the 49 counts as drawsage-cli frequencies
 * prints its first two columns. Usage: count_balls TABLE.DB */
#include <sqlite3.h>
#include <stdio.h>

int main(int argc, char** argv)
{
    sqlite3* db = NULL;
    sqlite3_stmt* query = NULL;
    long counts[50] = {0};
    if (argc != 2) {
        fprintf(stderr, "usage: count_balls TABLE.DB\n");
        return 2;
    }
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, NULL) != SQLITE_OK ||
        sqlite3_prepare_v2(db, "SELECT BALL1, BALL2, BALL3, BALL4, BALL5, BALL6 FROM records", -1,
                           &query, NULL) != SQLITE_OK) {
        fprintf(stderr, "count_balls: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    while (sqlite3_step(query) == SQLITE_ROW) {
        for (int i = 0; i < 6; ++i) {
            const int ball = sqlite3_column_int(query, i);
            if (ball >= 1 && ball <= 49)
                ++counts[ball];
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    for (int n = 1; n <= 49; ++n)
        printf("%d\t%ld\n", n, counts[n]);
    return 0;
}
