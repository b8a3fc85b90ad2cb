// The laboratory's own Firebird database (LAB.FDB in the data folder), opened through Qt's
// QIBASE driver and created with its schema on first start. The reports behind the client's
// views keep every release, and the views show the one current at the laboratory's clock,
// which lives in a context variable of the connection, so a fixed clock fixes what is released.
#pragma once

#include "lab/LabClock.h"

#include <QSqlDatabase>
#include <QString>

namespace tv::lab {

class LabDatabase {
public:
    LabDatabase() = default;
    ~LabDatabase();
    LabDatabase(const LabDatabase&) = delete;
    LabDatabase& operator=(const LabDatabase&) = delete;

    /// Opens DIR/LAB.FDB, creating the file and its objects when it does not exist yet, and
    /// sets the clock the views read. False with `error` filled on failure.
    bool open(const QString& dataDir, const LabClock& clock, QString* error);

    QSqlDatabase database() const;
    /// True when LABACCOUNTS holds no row (a database the demo may seed).
    bool isEmpty() const;

private:
    QString m_connection;
};

} // namespace tv::lab
