#include "core/logcategories.h"

// QtInfoMsg: info and above are shown, debug messages only when a rule switches them on.
Q_LOGGING_CATEGORY(lcMerge, "tunelane.merge", QtInfoMsg)
Q_LOGGING_CATEGORY(lcArchive, "tunelane.archive", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTables, "tunelane.tables", QtInfoMsg)
