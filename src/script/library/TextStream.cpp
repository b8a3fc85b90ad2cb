// TextStream: text files written as single-byte Windows-1252 (or UTF-16LE when Unicode is asked
// for), every byte charged against the engine's output limit; reading works on the decoded text.

#include "script/library/Args.h"
#include "script/library/FileSystem.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tv::script::lib {

namespace {

enum { kWrite, kWriteLine, kWriteBlankLines, kRead, kReadLine, kReadAll, kSkip, kSkipLine, kAtEndOfStream,
       kAtEndOfLine, kLine, kColumn, kClose };

const ClassInfo kInfo("TextStream", {{"Write", kWrite, 1, 1},
                                     {"WriteLine", kWriteLine, 0, 1},
                                     {"WriteBlankLines", kWriteBlankLines, 1, 1},
                                     {"Read", kRead, 1, 1},
                                     {"ReadLine", kReadLine, 0, 0},
                                     {"ReadAll", kReadAll, 0, 0},
                                     {"Skip", kSkip, 1, 1},
                                     {"SkipLine", kSkipLine, 0, 0},
                                     {"AtEndOfStream", kAtEndOfStream, 0, 0},
                                     {"AtEndOfLine", kAtEndOfLine, 0, 0},
                                     {"Line", kLine, 0, 0},
                                     {"Column", kColumn, 0, 0},
                                     {"Close", kClose, 0, 0}});

constexpr qint64 kMaxReadBytes = qint64(256) << 20;

class TextStream : public NativeObject {
public:
    TextStream(bool writing, bool unicode) : NativeObject(kInfo), m_writing(writing), m_unicode(unicode) {}

    bool openWrite(const QString& path, bool append, bool mark)
    {
        m_file.setFileName(path);
        if (!m_file.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        if (mark)
            m_file.write("\xFF\xFE", 2);
        return true;
    }

    void setText(QString text) { m_text = std::move(text); }

    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override;

private:
    void write(Context& cx, const QString& s);
    QString read(qsizetype count);
    QString readLine();
    bool atEnd() const { return m_pos >= m_text.size(); }

    QFile m_file;
    QString m_text;
    qsizetype m_pos = 0;
    int32_t m_line = 1;
    int32_t m_column = 1;
    bool m_writing;
    bool m_unicode;
    bool m_closed = false;
};

void TextStream::write(Context& cx, const QString& s)
{
    QByteArray bytes;
    if (m_unicode) {
        bytes.resize(s.size() * 2);
        for (qsizetype i = 0; i < s.size(); ++i) {
            bytes[2 * i] = char(s[i].unicode() & 0xFF);
            bytes[2 * i + 1] = char(s[i].unicode() >> 8);
        }
    } else {
        bytes.resize(s.size());
        for (qsizetype i = 0; i < s.size(); ++i) {
            bool mapped;
            bytes[i] = text::cp1252Byte(s[i].unicode(), &mapped);
            if (!mapped)
                raise(5, QStringLiteral("Invalid procedure call or argument: a character has no code in a "
                                        "Windows-1252 text file (open it as Unicode)"));
        }
    }
    cx.chargeOutput(bytes.size());
    if (m_file.write(bytes) != bytes.size())
        raise(57);
    for (QChar c : s) {
        if (c == u'\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
}

QString TextStream::read(qsizetype count)
{
    const QString s = m_text.mid(m_pos, count);
    for (QChar c : s) {
        if (c == u'\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }
    m_pos += s.size();
    return s;
}

// A line ends at CR LF, LF or CR; the ending is consumed but not returned.
QString TextStream::readLine()
{
    qsizetype end = m_pos;
    while (end < m_text.size() && m_text[end] != u'\n' && m_text[end] != u'\r')
        ++end;
    const QString line = m_text.mid(m_pos, end - m_pos);
    if (end < m_text.size())
        end += (m_text[end] == u'\r' && end + 1 < m_text.size() && m_text[end + 1] == u'\n') ? 2 : 1;
    m_pos = end;
    ++m_line;
    m_column = 1;
    return line;
}

Variant TextStream::invoke(Context& cx, int id, Invoke kind, std::span<Variant> args)
{
    if (kind != Invoke::Get)
        raise(450);
    m_info.checkArgs(id, args.size());
    if (id == kClose) {
        m_file.close();
        m_closed = true;
        return {};
    }
    if (id == kLine)
        return Variant::fromLong(m_line);
    if (id == kColumn)
        return Variant::fromLong(m_column);
    if (m_closed)
        raise(52);
    const bool writer = id <= kWriteBlankLines;
    if (writer != m_writing)
        raise(54);
    switch (id) {
    case kWrite:
        write(cx, args[0].toString());
        return {};
    case kWriteLine:
        write(cx, (args.empty() ? QString() : args[0].toString()) + QStringLiteral("\r\n"));
        return {};
    case kWriteBlankLines: {
        const int32_t n = args[0].toLong();
        if (n < 0)
            raise(5);
        checkLength(int64_t(n) * 2);
        write(cx, QStringLiteral("\r\n").repeated(n));
        return {};
    }
    case kAtEndOfStream:
        return Variant::fromBool(atEnd());
    case kAtEndOfLine:
        return Variant::fromBool(atEnd() || m_text[m_pos] == u'\r' || m_text[m_pos] == u'\n');
    default:
        break;
    }
    if (atEnd())
        raise(62);
    switch (id) {
    case kRead: {
        const int32_t n = args[0].toLong();
        if (n < 1)
            raise(5);
        return Variant(read(n));
    }
    case kReadLine:
        return Variant(readLine());
    case kReadAll:
        return Variant(read(m_text.size()));
    case kSkip: {
        const int32_t n = args[0].toLong();
        if (n < 0)
            raise(5);
        read(n);
        return {};
    }
    default:
        readLine();
        return {};
    }
}

QString decode(const QByteArray& bytes, int format)
{
    const bool marked = bytes.startsWith("\xFF\xFE");
    if (format == -1 || (format == -2 && marked)) {
        const qsizetype from = marked ? 2 : 0;
        QString s((bytes.size() - from) / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < s.size(); ++i)
            s[i] = QChar(char16_t(uint8_t(bytes[from + 2 * i]) | uint8_t(bytes[from + 2 * i + 1]) << 8));
        return s;
    }
    QString s(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        s[i] = QChar(text::cp1252Char(uint8_t(bytes[i])));
    return s;
}

// Only regular files: devices and pipes would never end.
int openError(const QString& path)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        return 76;
    if (info.exists() && !info.isFile())
        return 70;
    return info.exists() ? 70 : 53;
}

} // namespace

Variant openTextStream(Context&, const QString& scriptPath, const TextOpen& how)
{
    const QString path = nativePath(scriptPath);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        raise(70);
    if (info.exists() && how.failIfExists)
        raise(58);
    if (!info.exists()) {
        if (!how.create)
            raise(info.dir().exists() ? 53 : 76);
        QFile empty(path);
        if (how.mode == IoMode::Read && !empty.open(QIODevice::WriteOnly))
            raise(openError(path));
    }
    if (how.mode == IoMode::Read) {
        if (info.size() > kMaxReadBytes)
            raise(7);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            raise(openError(path));
        Ref<TextStream> stream(new TextStream(false, how.format == -1));
        stream->setText(decode(file.readAll(), how.format));
        return Variant::fromObject(stream.get());
    }
    const bool unicode = how.format == -1;
    const bool append = how.mode == IoMode::Append;
    Ref<TextStream> stream(new TextStream(true, unicode));
    if (!stream->openWrite(path, append, unicode && !(append && info.exists() && info.size() > 0)))
        raise(openError(path));
    return Variant::fromObject(stream.get());
}

} // namespace tv::script::lib
