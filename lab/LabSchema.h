// The DDL of the laboratory database: the objects clients read and write, and the tables
// behind the report views. One statement per entry, in the order they must run.
#pragma once

#include <QStringList>

namespace tv::lab {

QStringList labSchemaStatements();

} // namespace tv::lab
