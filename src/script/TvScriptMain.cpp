// tvscript FILE.vbs: runs a script file in a fresh engine with a WScript object, as the script
// writers' command-line host and the test driver. Exit 0, 65 on a compile error, 70 on a run-time error.
#include "script/Builtins.h"
#include "script/ScriptEngine.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstdio>
#include <cstdlib>

using namespace tv::script;

namespace {

struct QuitRequest {
    int code;
};

void writeTo(FILE* out, const QString& text)
{
    Context::current().chargeOutput(text.size());
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

enum StreamMember { kWrite, kWriteLine, kWriteBlankLines };
const ClassInfo kStreamInfo("TextStream", {{"Write", kWrite, 1, 1},
                                           {"WriteLine", kWriteLine, 0, 1},
                                           {"WriteBlankLines", kWriteBlankLines, 1, 1}});

class StdStream : public NativeObject {
public:
    explicit StdStream(FILE* out) : NativeObject(kStreamInfo), m_out(out) {}
    Variant invoke(Context&, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get) raise(438);
        m_info.checkArgs(id, args.size());
        switch (id) {
        case kWrite:
            writeTo(m_out, args[0].toString());
            break;
        case kWriteLine:
            writeTo(m_out, (args.empty() ? QString() : args[0].toString()) + u'\n');
            break;
        default: {
            const int32_t lines = args[0].toLong();
            if (lines < 0) raise(5);
            Context::current().chargeOutput(lines);
            writeTo(m_out, QString(lines, u'\n'));
            break;
        }
        }
        return {};
    }

private:
    FILE* m_out;
};

enum WScriptMember { kEcho, kQuit, kFullName, kName, kStdOut, kStdErr, kSleep };
const ClassInfo kWScriptInfo("Object", {{"Echo", kEcho, 0, -1},
                                        {"Quit", kQuit, 0, 1},
                                        {"ScriptFullName", kFullName, 0, 0},
                                        {"ScriptName", kName, 0, 0},
                                        {"StdOut", kStdOut, 0, 0},
                                        {"StdErr", kStdErr, 0, 0},
                                        {"Sleep", kSleep, 1, 1}});

class WScript : public NativeObject {
public:
    explicit WScript(const QString& path)
        : NativeObject(kWScriptInfo), m_path(path), m_out(new StdStream(stdout)), m_err(new StdStream(stderr))
    {
    }
    Variant invoke(Context& cx, int id, Invoke kind, std::span<Variant> args) override
    {
        if (kind != Invoke::Get) raise(438);
        m_info.checkArgs(id, args.size());
        switch (id) {
        case kEcho: {
            QString line;
            for (size_t i = 0; i < args.size(); ++i) {
                if (i) line += u' ';
                line += args[i].isNull() ? QStringLiteral("Null") : args[i].toString();
            }
            writeTo(stdout, line + u'\n');
            return {};
        }
        case kQuit:
            std::fflush(stdout);
            throw QuitRequest{args.empty() ? 0 : int(args[0].toLong())};
        case kFullName:
            return Variant(QFileInfo(m_path).absoluteFilePath());
        case kName:
            return Variant(QFileInfo(m_path).fileName());
        case kStdOut:
            return Variant::fromObject(m_out.get());
        case kStdErr:
            return Variant::fromObject(m_err.get());
        default:
            cx.checkTime();
            return {};
        }
    }

private:
    QString m_path;
    Ref<ScriptObject> m_out, m_err;
};

QString decodeScript(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tvscript FILE.vbs\n");
        return 64;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot open the file: %s\n", argv[1], qPrintable(file.errorString()));
        return 66;
    }
    const QString text = decodeScript(file.readAll());

    ScriptEngine engine;
    if (const char* ms = std::getenv("TVSCRIPT_TIMEOUT_MS"))
        engine.setTimeout(std::chrono::milliseconds(std::atoll(ms)));
    engine.addObject(QStringLiteral("WScript"), Ref<ScriptObject>(new WScript(path)), false);
    try {
        if (engine.addCode(text)) return 0;
    } catch (const QuitRequest& quit) {
        std::fflush(stdout);
        return quit.code;
    }
    std::fflush(stdout);
    const ErrorInfo& e = engine.lastError();
    std::fprintf(stderr, "%s(%d, %d) %s: %s\n", argv[1], e.line, e.column, qPrintable(e.source),
                 qPrintable(e.description));
    return e.compileError ? 65 : 70;
}
