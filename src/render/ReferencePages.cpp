#include "render/ReferencePages.h"

namespace tv::render {

namespace {
const QString kSeparator = QStringLiteral("||");
}

QStringList splitReferencePages(const QString& text)
{
    if (!text.startsWith(kSeparator)) return {text};
    QStringList pages;
    qsizetype start = kSeparator.size();
    while (true) {
        const qsizetype end = text.indexOf(kSeparator, start);
        if (end < 0) return pages;
        if (end > start) pages.append(text.mid(start, end - start));
        start = end + kSeparator.size();
    }
}

QString joinReferencePages(const QList<QByteArray>& pictures)
{
    QString text = kSeparator;
    for (const QByteArray& picture : pictures)
        text += QString::fromLatin1(picture.toBase64()) + kSeparator;
    return text;
}

std::optional<QByteArray> decodePageText(const QString& pageText)
{
    QByteArray flat = pageText.toLatin1();
    flat.replace('\r', QByteArray()).replace('\n', QByteArray());
    auto decoded = QByteArray::fromBase64Encoding(flat, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || flat.isEmpty()) return std::nullopt;
    return decoded.decoded;
}

} // namespace tv::render
