// Any bytes into the rowset reader: it must never crash, and whatever it accepts must survive
// being written and read again with the same shape.
#include "remote/Rowset.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tv::remote;
    const RowsetReadResult first = readRowsetXml(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (first.status != RowsetStatus::Ok)
        return 0;
    const RowsetReadResult again = readRowsetXml(writeRowsetXml(first.rowset));
    if (again.status != RowsetStatus::Ok || again.rowset.fields.size() != first.rowset.fields.size() ||
        again.rowset.rows.size() != first.rowset.rows.size())
        std::abort();
    for (qsizetype i = 0; i < first.rowset.fields.size(); ++i) {
        if (again.rowset.fields[i].name != first.rowset.fields[i].name ||
            again.rowset.fields[i].type != first.rowset.fields[i].type)
            std::abort();
    }
    return 0;
}
