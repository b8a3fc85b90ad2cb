// Reading the account's page script from the configuration: the long value of SYSTEM.PAGE, or of
// SCRIPT when that is too short, decoded when stored encoded. A damaged encoded text comes back
// as an error, never as garbage for the engine.
#pragma once

#include <QString>
#include <functional>

namespace tv::render {

struct PageScript {
    QString text;
    QString error; ///< empty when the text is usable
};

/// getConfigIni returns the long value (VARINI) of a configuration key, empty when missing.
PageScript getPageScript(const std::function<QString(const QString&)>& getConfigIni);

} // namespace tv::render
