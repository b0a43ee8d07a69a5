#ifndef TABLESLOG_H
#define TABLESLOG_H

#include <QLoggingCategory>

// The tables' diagnostics, off by default like the data layer's (core/logcategories.h):
// QT_LOGGING_RULES="tunelane.tables.debug=true" switches them on.
Q_DECLARE_LOGGING_CATEGORY(lcTables)

#endif // TABLESLOG_H
