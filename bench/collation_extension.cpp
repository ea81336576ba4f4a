// A loadable SQLite extension with the program's collation and like(), so that the sqlite3 shell
// runs the program's statements (ORDER BY a text column needs the collation) for comparisons.
//   sqlite3 -cmd ".load build/default/bench/libvellomar_collation" calls.vdb "SELECT ..."
#include "SqliteFunctions.h"

#include <sqlite3.h>

extern "C" int sqlite3_extension_init(sqlite3 *db, char **, const void *)
{
    SqliteFunctions::registerOn(db);
    return SQLITE_OK;
}
