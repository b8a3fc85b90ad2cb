#include "lab/DemoPicture.h"

#include "remote/FormEncoding.h"

namespace tv::lab {

namespace {

constexpr int twipsPerInch = 1440;
constexpr qint16 pageWidth = 11448;  // 7.95 in
constexpr qint16 pageHeight = 14544; // 10.1 in

class WmfRecords {
public:
    void add(quint16 function, const QList<qint16>& words, const QByteArray& tail = {})
    {
        QByteArray padded = tail;
        if (padded.size() % 2) padded.append('\0');
        const quint32 size = 3 + static_cast<quint32>(words.size()) + static_cast<quint32>(padded.size() / 2);
        putU32(size);
        putU16(function);
        for (qint16 w : words)
            putU16(static_cast<quint16>(w));
        m_bytes += padded;
        m_largest = qMax(m_largest, size);
    }

    void font(int points, bool bold, const char* face)
    {
        const QByteArray flags(8, '\0'); // italic, underline, strike-out, charset 0, precisions, quality, pitch
        QByteArray name(face);
        name.resize(32, '\0');
        add(0x02FB, {static_cast<qint16>(-points * twipsPerInch / 72), 0, 0, 0, static_cast<qint16>(bold ? 700 : 400)},
            flags + name);
    }

    void text(int x, int y, const QString& line)
    {
        const QByteArray bytes = tv::remote::toWindows1252(line);
        QByteArray padded = bytes;
        if (padded.size() % 2) padded.append('\0');
        putText(static_cast<qint16>(bytes.size()), padded, static_cast<qint16>(y), static_cast<qint16>(x));
    }

    QByteArray finish(quint16 objects)
    {
        add(0x0000, {});
        QByteArray out;
        const auto u16 = [&out](quint16 v) {
            out.append(static_cast<char>(v & 0xff)).append(static_cast<char>(v >> 8));
        };
        const auto u32 = [&u16](quint32 v) {
            u16(static_cast<quint16>(v & 0xffff));
            u16(static_cast<quint16>(v >> 16));
        };
        // Placeable header with its checksum over the ten words before it.
        const quint16 head[10] = {
            0xCDD7,       0x9AC6, 0, 0, 0, static_cast<quint16>(pageWidth), static_cast<quint16>(pageHeight),
            twipsPerInch, 0,      0};
        quint16 checksum = 0;
        for (quint16 w : head) {
            u16(w);
            checksum ^= w;
        }
        u16(checksum);
        u16(1);
        u16(9);
        u16(0x0300);
        u32(9 + static_cast<quint32>(m_bytes.size() / 2));
        u16(objects);
        u32(m_largest);
        u16(0);
        return out + m_bytes;
    }

private:
    void putU16(quint16 v) { m_bytes.append(static_cast<char>(v & 0xff)).append(static_cast<char>(v >> 8)); }
    void putU32(quint32 v)
    {
        putU16(static_cast<quint16>(v & 0xffff));
        putU16(static_cast<quint16>(v >> 16));
    }
    // TEXTOUT: length, string, then y and x after it.
    void putText(qint16 length, const QByteArray& padded, qint16 y, qint16 x)
    {
        const quint32 size = 3 + 1 + static_cast<quint32>(padded.size() / 2) + 2;
        putU32(size);
        putU16(0x0521);
        putU16(static_cast<quint16>(length));
        m_bytes += padded;
        putU16(static_cast<quint16>(y));
        putU16(static_cast<quint16>(x));
        m_largest = qMax(m_largest, size);
    }

    QByteArray m_bytes;
    quint32 m_largest = 3;
};

} // namespace

QByteArray reportPageWmf(const QString& title, const QStringList& header, const QStringList& body,
                         const QString& footer)
{
    WmfRecords wmf;
    wmf.add(0x0103, {8});                     // SETMAPMODE anisotropic
    wmf.add(0x020B, {0, 0});                  // SETWINDOWORG
    wmf.add(0x020C, {pageHeight, pageWidth}); // SETWINDOWEXT
    wmf.add(0x0102, {1});                     // SETBKMODE transparent
    wmf.font(14, true, "Arial");              // object 0
    wmf.font(9, false, "Courier New");        // object 1
    wmf.add(0x02FA, {0, 15, 0, 0, 0});        // object 2: black pen
    wmf.add(0x02FC, {1, 0, 0, 0});            // object 3: hollow brush
    wmf.add(0x012D, {2});
    wmf.add(0x012D, {3});
    wmf.add(0x012D, {0});
    wmf.text(360, 360, title);
    wmf.add(0x012D, {1});
    const int lineHeight = 230;
    int y = 800;
    const int boxTop = y - 80;
    for (const QString& line : header) {
        wmf.text(480, y, line);
        y += lineHeight;
    }
    wmf.add(0x041B, {static_cast<qint16>(y + 40), static_cast<qint16>(pageWidth - 360), static_cast<qint16>(boxTop),
                     360}); // RECTANGLE around the patient block
    y += 2 * lineHeight;
    for (const QString& line : body) {
        wmf.text(480, y, line);
        y += lineHeight;
    }
    wmf.add(0x0214, {static_cast<qint16>(pageHeight - 700), 360}); // MOVETO
    wmf.add(0x0213, {static_cast<qint16>(pageHeight - 700), static_cast<qint16>(pageWidth - 360)});
    wmf.text(480, pageHeight - 600, footer);
    return wmf.finish(4);
}

} // namespace tv::lab
