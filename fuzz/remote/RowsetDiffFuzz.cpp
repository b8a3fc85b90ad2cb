// The rowset reader's data scanner against a plain reading by Qt's general XML reader: on any bytes
// both must find the same columns, rows, values and nulls, or both must find the document unfit.
// Where they part on what is well-formed XML (Qt's reader lets some faults pass), libxml2 decides.
#include "ReferenceRowsetReader.h"

#include "remote/Rowset.h"

#include <QStringDecoder>
#include <libxml/parser.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.metaType() != b.metaType())
        return false;
    if (a.typeId() == QMetaType::Double && std::isnan(a.toDouble()))
        return std::isnan(b.toDouble());
    return a == b;
}

bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

bool isWellFormed(const QByteArray& xml)
{
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    xmlDocPtr doc = xmlCtxtReadMemory(context, xml.constData(), int(xml.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    const bool ok = doc && context->wellFormed && context->nsWellFormed;
    xmlFreeDoc(doc);
    xmlFreeParserCtxt(context);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tv::remote;
    const QByteArray xml(reinterpret_cast<const char*>(data), qsizetype(size));
    const RowsetReadResult fast = readRowsetXml(xml);
    // Refused on purpose where the general reader goes on: type declarations, text that is not UTF-8.
    if (fast.message.contains(QLatin1String("type declaration")) || fast.message.contains(QLatin1String("not UTF-8")))
        return 0;
    if (fast.message.contains(QLatin1String("UTF-8")) && !isUtf8(xml))
        return 0;
    const std::optional<Rowset> plain = reference::readRowset(xml);
    if ((fast.status == RowsetStatus::Ok) != plain.has_value()) {
        if ((fast.status == RowsetStatus::Ok) != isWellFormed(xml))
            std::abort();
        return 0;
    }
    if (!plain)
        return 0;
    const Rowset& a = fast.rowset;
    if (a.fields.size() != plain->fields.size() || a.rows.size() != plain->rows.size())
        std::abort();
    for (qsizetype i = 0; i < a.fields.size(); ++i) {
        if (a.fields[i].type != plain->fields[i].type)
            std::abort();
    }
    for (qsizetype r = 0; r < a.rows.size(); ++r) {
        for (qsizetype c = 0; c < a.fields.size(); ++c) {
            if (!sameValue(a.rows[r][c], plain->rows[r][c]))
                std::abort();
        }
    }
    return 0;
}
