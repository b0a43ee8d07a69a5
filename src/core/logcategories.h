#ifndef LOGCATEGORIES_H
#define LOGCATEGORIES_H

#include <QLoggingCategory>

// The data layer's diagnostics. Debug messages are off by default, so a user's terminal stays quiet; a
// developer switches them on with QT_LOGGING_RULES, e.g. QT_LOGGING_RULES="tunelane.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcMerge)
Q_DECLARE_LOGGING_CATEGORY(lcArchive)
// The tables' diagnostics (tunelane_ui); a category needs QtCore only, so all of them live here.
Q_DECLARE_LOGGING_CATEGORY(lcTables)

#endif // LOGCATEGORIES_H
