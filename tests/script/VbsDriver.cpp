// Runs one .vbs test through tvscript and checks it against the expectations in its comments:
//   ' expect: TEXT               one line of standard output, in order
//   ' expect runtime error: TEXT the script stops on this line with a description containing TEXT (exit 70)
//   ' expect compile error       the text fails to compile on this line (exit 65)
//   ' tvscript-timeout-ms: N     runs with a shorter time limit
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cstdio>

namespace {

int failWith(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) return failWith(QStringLiteral("usage: vbs_driver TVSCRIPT FILE.vbs"));
    const QString tvscript = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return failWith(QStringLiteral("cannot read ") + path);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    static const QRegularExpression expectOut(QStringLiteral("' expect: ?(.*)$"));
    static const QRegularExpression expectRun(QStringLiteral("' expect runtime error: ?(.*)$"));
    static const QRegularExpression expectCompile(QStringLiteral("' expect compile error"));
    static const QRegularExpression timeout(QStringLiteral("' tvscript-timeout-ms: (\\d+)"));
    QStringList wanted;
    QString runtimeText;
    int errorLine = 0;
    bool compileError = false;
    QString timeoutMs;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        line.remove(QLatin1Char('\r'));
        if (auto m = expectOut.match(line); m.hasMatch()) wanted << m.captured(1);
        if (auto m = expectRun.match(line); m.hasMatch() && !errorLine) {
            runtimeText = m.captured(1).trimmed();
            errorLine = i + 1;
        }
        if (expectCompile.match(line).hasMatch() && !errorLine) {
            compileError = true;
            errorLine = i + 1;
        }
        if (auto m = timeout.match(line); m.hasMatch()) timeoutMs = m.captured(1);
    }

    QProcess p;
    if (!timeoutMs.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TVSCRIPT_TIMEOUT_MS"), timeoutMs);
        p.setProcessEnvironment(env);
    }
    p.start(tvscript, {path});
    if (!p.waitForFinished(120000)) return failWith(QStringLiteral("tvscript did not finish"));
    const int rc = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QStringList got = out.split(QLatin1Char('\n'));
    if (!got.isEmpty() && got.last().isEmpty()) got.removeLast();

    int failures = 0;
    for (int i = 0; i < std::max(got.size(), wanted.size()); ++i) {
        const QString g = i < got.size() ? got[i] : QStringLiteral("<nothing>");
        const QString w = i < wanted.size() ? wanted[i] : QStringLiteral("<nothing>");
        if (g != w) {
            failWith(QStringLiteral("output line %1: got '%2', expected '%3'").arg(i + 1).arg(g, w));
            ++failures;
        }
    }
    const int wantRc = compileError ? 65 : errorLine ? 70 : 0;
    if (rc != wantRc) {
        failWith(QStringLiteral("exit code %1, expected %2; stderr: %3").arg(rc).arg(wantRc).arg(err));
        ++failures;
    } else if (errorLine) {
        const QString place = QStringLiteral("(%1, ").arg(errorLine);
        if (!err.contains(place) || !err.contains(runtimeText)) {
            failWith(QStringLiteral("expected an error on line %1 containing '%2'; stderr: %3")
                         .arg(errorLine)
                         .arg(runtimeText, err));
            ++failures;
        }
    } else if (!err.isEmpty()) {
        failWith(QStringLiteral("unexpected stderr: ") + err);
        ++failures;
    }
    return failures ? 1 : 0;
}
