// What to tell the user when the store fails: the engine's words alone do not say what to do,
// so each kind of failure gets an instruction and a next step.
#pragma once

#include "store/Connection.h"

namespace tv::app {

struct Notice {
    QString instruction;
    QString content;
};

/// `action` says what was being done ("opened", "updated", "read"); `location` names the store.
Notice storeFailureNotice(const store::StoreResult& failure, const QString& action, const QString& location);

} // namespace tv::app
