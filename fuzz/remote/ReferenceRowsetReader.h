// A second, plain reading of a rowset document with Qt's general XML reader, kept only to check
// the production reader's data-section scanner against it: same rows, values and nulls, or both fail.
#pragma once

#include "remote/Rowset.h"

#include <QByteArray>
#include <optional>

namespace tv::remote::reference {

/// The rowset as the general XML reader sees it; none when it finds the document unfit.
std::optional<Rowset> readRowset(const QByteArray& xml);

} // namespace tv::remote::reference
