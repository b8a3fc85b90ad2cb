#include "store/SchemaUpdater.h"

#include "store/LocalDatabase.h"
#include "store/SqlScript.h"

namespace tv::store {

namespace {

struct UpdateStep {
    QString catalogue;
    QString marker;
    QString script;
};

const UpdateStep& updateStep(int step)
{
    static const UpdateStep steps[] = {
        {QStringLiteral("SELECT RDB$RELATION_NAME AS TABLENAME FROM RDB$RELATIONS WHERE  (RDB$RELATION_NAME=?) "
                        "AND (RDB$SYSTEM_FLAG <> 1 OR RDB$SYSTEM_FLAG IS NULL) AND RDB$VIEW_BLR IS NULL "
                        "ORDER BY RDB$RELATION_NAME"),
         QStringLiteral("EXTERNAL_REPORT_LC"), QStringLiteral("UpdateStep1")},
        {QStringLiteral("SELECT RDB$PROCEDURE_NAME AS TABLENAME FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME = ?"),
         QStringLiteral("GET_TODAY_BATCHS_LC"), QStringLiteral("UpdateStep2")},
    };
    return steps[step == 2 ? 1 : 0];
}

} // namespace

StoreResult SchemaUpdater::runUpdateStep(int step)
{
    if (step != 1 && step != 2)
        return StoreResult::fail(QStringLiteral("There is no schema update step %1.").arg(step));
    const UpdateStep& definition = updateStep(step);
    Connection connection;
    if (StoreResult opened = connection.open(m_location); !opened.ok)
        return opened;
    const QueryResult found = connection.select(definition.catalogue, {definition.marker});
    if (!found.ok)
        return found;
    QString name = found.rows.rows.isEmpty() ? QString() : found.rows.rows.first().value(0).toString();
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name == definition.marker)
        return {};
    m_updated = true;
    return runSqlScript(connection, schemaScript(definition.script));
}

} // namespace tv::store
