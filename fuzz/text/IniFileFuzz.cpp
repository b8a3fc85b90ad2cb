// The INI reader on any bytes: reading, listing and writing must never crash, an untouched file
// must serialize to the same bytes, and a written key must read back.
#include "text/IniFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tv::text::IniFile file = tv::text::IniFile::parse(bytes);
    if (file.serialize() != bytes)
        std::abort();
    for (const QString& section : file.sectionNames()) {
        for (const QString& key : file.keyNames(section))
            (void)file.value(section, key);
        (void)file.sectionLines(section);
    }
    file.setValue(QStringLiteral("Export"), QStringLiteral("RepData"), QStringLiteral("C:\\out"));
    if (file.value(QStringLiteral("EXPORT"), QStringLiteral("repdata")) != QStringLiteral("C:\\out"))
        std::abort();
    const QStringList sections = file.sectionNames();
    if (!sections.isEmpty())
        file.removeSection(sections.first());
    (void)tv::text::IniFile::parse(file.serialize());
    return 0;
}
