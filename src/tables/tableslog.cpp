#include "tables/tableslog.h"

// QtInfoMsg: info and above are shown, debug messages only when a rule switches them on.
Q_LOGGING_CATEGORY(lcTables, "tunelane.tables", QtInfoMsg)
