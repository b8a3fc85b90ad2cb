// Stored page scripts and reference page texts come from the laboratory: decoding must never
// crash, and whatever decodes must encode back to the very same text.
#include "render/ReferencePages.h"
#include "render/StoredScript.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto plain = tv::render::decodeStoredScript(bytes)) {
        if (tv::render::encodeStoredScript(*plain) != bytes) std::abort();
    }
    for (const QString& page : tv::render::splitReferencePages(QString::fromLatin1(bytes)))
        (void)tv::render::decodePageText(page);
    return 0;
}
