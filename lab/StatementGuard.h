// Decides which SQL texts the laboratory runs for a client: a query must be one SELECT,
// a script one INSERT or UPDATE on the few objects and columns a client writes. Works on
// tokens, not on patterns, so quotes, comments and letter case cannot smuggle a second
// statement past it. A fixed laboratory clock replaces CURRENT_TIMESTAMP in what it lets through.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace tv::lab {

struct GuardVerdict {
    bool allowed = false;
    QString statement; ///< what to execute: trailing ";" dropped, clock words replaced
    QString reason;    ///< why a statement was refused
};

/// A single SELECT (an optional trailing ";").
GuardVerdict checkQuery(const QString& sql, const std::optional<QDateTime>& fixedNow);

/// One INSERT with a column list into CLIENT_CONN or CUSTOMER_MESSAGE, or one UPDATE of
/// LABACCOUNTS.VER_WR with a WHERE clause; only the columns a client writes, no subqueries.
GuardVerdict checkScript(const QString& sql, const std::optional<QDateTime>& fixedNow);

} // namespace tv::lab
