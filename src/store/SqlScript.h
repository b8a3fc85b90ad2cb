// DDL scripts as Firebird's own tools write them: statements end with the current terminator,
// and "SET TERM new old" switches it so procedure bodies can hold ";". A script is split whole
// before anything runs, so a malformed one changes nothing; each statement then commits alone.
#pragma once

#include "store/Connection.h"

#include <QList>
#include <QString>

namespace tv::store {

struct SqlStatement {
    QString text;
    int line = 1;  ///< where the statement starts, for messages
};

struct SqlSplit {
    bool ok = true;
    QList<SqlStatement> statements;
    QString error;  ///< what is malformed, with its line, when !ok
};

SqlSplit splitSqlScript(QStringView script);

/// Splits `script` and executes its statements in order; stops at the first failure, whose
/// message names the statement's line. Statements before it stay in effect.
StoreResult runSqlScript(Connection& connection, QStringView script);

} // namespace tv::store
