// Feeds arbitrary bytes to the WMF reader, then writes what it read back out as a page picture,
// so the writer's scaling of foreign pictures meets the same hostile values.
#include "page/WmfReader.h"
#include "page/WmfWriter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tv::page;
    const WmfReadResult read = readWmf(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!read.picture) return 0;
    PageOp op;
    op.kind = OpKind::Picture;
    op.from = {0, 0};
    op.to = {600, 800};
    op.picture = read.picture;
    Page page;
    page.ops.push_back(op);
    readWmf(writeWmf(page, PageDevice::fallback()));
    return 0;
}
