// The three operations under the service path: /SELECT answers a query with a gzip rowset,
// /SCRIPT unpacks and runs one permitted INSERT or UPDATE, /ack answers the probe. Free of
// HTTP plumbing (it maps a request to a reply), so tests can call it directly too.
#pragma once

#include "lab/HttpsServer.h"
#include "lab/LabClock.h"

#include <QSqlDatabase>

namespace tv::lab {

class LabService {
public:
    LabService(QSqlDatabase database, LabClock clock);

    HttpReply handle(const HttpRequest& request);

    static QByteArray servicePath() { return "/orvalis/qtx80z.dll"; }

private:
    HttpReply select(const QString& sql);
    HttpReply script(const QByteArray& packed);

    QSqlDatabase m_database;
    LabClock m_clock;
};

} // namespace tv::lab
