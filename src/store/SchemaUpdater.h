// Brings a store up to date at every start: each step looks for one marker object in the
// catalogue and, when it is missing, runs the script that creates the group it stands for.
// It works on a connection of its own, open only while a step runs.
#pragma once

#include "store/Connection.h"

namespace tv::store {

class SchemaUpdater {
public:
    explicit SchemaUpdater(QString location) : m_location(std::move(location)) {}

    /// Step 1 adds EXTERNAL_REPORT_LC with its indexes, trigger and two procedures; step 2 adds
    /// GET_TODAY_BATCHS_LC and SET_PRINTED_LC. A failure leaves earlier statements in effect.
    StoreResult runUpdateStep(int step);
    /// True once a step has started its script, even when the script then failed.
    bool updated() const { return m_updated; }

private:
    QString m_location;
    bool m_updated = false;
};

} // namespace tv::store
