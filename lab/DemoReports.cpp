#include "lab/DemoReports.h"

#include "lab/DemoPicture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace tv::lab {

namespace {

const char* const resourceDir = ":/demo/reports";

QString readResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString vbString(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

// The quoted text after `NAME = ` on its line, "" doubled quotes undone.
QString valueOf(const QString& program, const QString& name)
{
    const QRegularExpression line(QStringLiteral("^%1 = \"((?:[^\"]|\"\")*)\"\\s*$").arg(name),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(program);
    return match.hasMatch() ? match.captured(1).replace(QLatin1String("\"\""), QLatin1String("\"")) : QString();
}

QString displayTime(const QDateTime& time)
{
    return time.toString(QStringLiteral("M/d/yyyy HH:mm"));
}

QString hl7Time(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyyMMddHHmm"));
}

QString hl7Escape(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\E\\");
            break;
        case '|':
            out += QLatin1String("\\F\\");
            break;
        case '^':
            out += QLatin1String("\\S\\");
            break;
        case '&':
            out += QLatin1String("\\T\\");
            break;
        case '~':
            out += QLatin1String("\\R\\");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// "SURNAME1 SURNAME2, GIVEN" -> "SURNAME1-SURNAME2^GIVEN"
QString hl7Name(const QString& name)
{
    const QString family = name.section(QLatin1Char(','), 0, 0).trimmed();
    const QString given = name.section(QLatin1Char(','), 1).trimmed();
    return hl7Escape(QString(family).replace(QLatin1Char(' '), QLatin1Char('-'))) + QLatin1Char('^') + hl7Escape(given);
}

} // namespace

QList<ReportTemplate> demoReportTemplates()
{
    QList<ReportTemplate> templates;
    const QDir dir{QString::fromLatin1(resourceDir)};
    const QRegularExpression panelLine(QStringLiteral("^PANEL = PANEL & \"((?:[^\"]|\"\")*)\" & Chr\\(3\\)"),
                                       QRegularExpression::MultilineOption);
    for (const QString& name : dir.entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name)) {
        if (name == QLatin1String("page-script.vbs")) continue;
        ReportTemplate report;
        report.program = readResource(dir.filePath(name));
        report.code = valueOf(report.program, QStringLiteral("GENERICCODE"));
        report.description = valueOf(report.program, QStringLiteral("DESCRIPTION"));
        report.department = valueOf(report.program, QStringLiteral("DEPTID2"));
        for (auto it = panelLine.globalMatch(report.program); it.hasNext();)
            report.panel << it.next().captured(1).replace(QLatin1String("\"\""), QLatin1String("\""));
        templates << report;
    }
    return templates;
}

QString demoPageScript()
{
    return readResource(QLatin1String(resourceDir) + QLatin1String("/page-script.vbs"));
}

QString stampProgram(const ReportTemplate& report, const ReportStamp& stamp)
{
    const QString printed = hl7Time(stamp.released.addSecs(5 * 60));
    const QHash<QString, QString> values = {
        {QStringLiteral("LABID"), QString::number(stamp.labId)},
        {QStringLiteral("EXLABID"), vbString(stamp.exLabId)},
        {QStringLiteral("PNAME"), vbString(stamp.name)},
        {QStringLiteral("BDATE"), vbString(stamp.birthDate.toString(QStringLiteral("M/d/yyyy")))},
        {QStringLiteral("BDATE1"), vbString(stamp.birthDate.toString(QStringLiteral("yyyyMMdd")))},
        {QStringLiteral("AGE"), vbString(QStringLiteral("%1 Y").arg(stamp.age))},
        {QStringLiteral("SEX"), vbString(stamp.sex)},
        {QStringLiteral("PHYSICIAN"), vbString(stamp.physician)},
        {QStringLiteral("ACCOUNT"), vbString(QString::number(stamp.account))},
        {QStringLiteral("CLIENT"), vbString(stamp.client)},
        {QStringLiteral("COLLECTED"), vbString(displayTime(stamp.collected))},
        {QStringLiteral("RECEIVED"), vbString(displayTime(stamp.received))},
        {QStringLiteral("REPORTED"), vbString(displayTime(stamp.released))},
        {QStringLiteral("PROCESSED1"), vbString(hl7Time(stamp.processed))},
        {QStringLiteral("ENTRYSYS1"), vbString(hl7Time(stamp.received))},
        {QStringLiteral("PRINTED1"), vbString(printed)},
    };
    QStringList lines = report.program.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QString name = line.section(QLatin1String(" = "), 0, 0);
        if (line.contains(QLatin1String(" = ")) && values.contains(name)) {
            line = name + QLatin1String(" = ") + values.value(name) + (line.endsWith(QLatin1Char('\r')) ? "\r" : "");
        } else if (!stamp.correction.isEmpty() && name == QLatin1String("REPORTNOTE")) {
            const QString note = valueOf(line, QStringLiteral("REPORTNOTE"));
            line = QLatin1String("REPORTNOTE = ") + vbString(stamp.correction + QLatin1Char('_') + note);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString referenceHl7(const ReportTemplate& report, const ReportStamp& stamp)
{
    QStringList segments;
    // The seconds are appended, not written as "%200": arg() would read that as placeholder 20.
    segments << QStringLiteral("MSH|^~\\&|ORVALISREF|001|TALLYVANE|%1|%2||ORU^R01|%3%4|P|2.3")
                    .arg(stamp.account)
                    .arg(hl7Time(stamp.released) + QStringLiteral("00"))
                    .arg(stamp.labId)
                    .arg(report.code);
    segments << QStringLiteral("PID|1|%1|%2||%3||%4|%5")
                    .arg(hl7Escape(stamp.exLabId))
                    .arg(stamp.labId)
                    .arg(hl7Name(stamp.name), stamp.birthDate.toString(QStringLiteral("yyyyMMdd")), stamp.sex);
    segments << QStringLiteral("OBR|1|%1||%2^%3|||%4|||||||%5||^%6||||||%7|||%8")
                    .arg(hl7Escape(stamp.exLabId), hl7Escape(report.code), hl7Escape(report.description),
                         hl7Time(stamp.processed), hl7Time(stamp.received), hl7Name(stamp.physician),
                         hl7Time(stamp.released),
                         stamp.correction.isEmpty() ? QStringLiteral("F") : QStringLiteral("C"));
    int set = 0;
    for (const QString& line : report.panel) {
        if (line.startsWith(QLatin1Char('<'))) continue;
        const QStringList f = (line + QStringLiteral("||||||||||")).split(QLatin1Char('|'));
        bool numeric = false;
        f[2].toDouble(&numeric);
        segments << QStringLiteral("OBX|%1|%2|%3^%4||%5|%6|%7|%8|||%9")
                        .arg(++set)
                        .arg(numeric ? QStringLiteral("NM") : QStringLiteral("TX"))
                        .arg(hl7Escape(f[10]), hl7Escape(f[0]), hl7Escape(f[2]), hl7Escape(f[3]), hl7Escape(f[4]),
                             hl7Escape(f[1]), f[7].isEmpty() ? QStringLiteral("F") : hl7Escape(f[7]));
    }
    if (!stamp.correction.isEmpty()) segments << QStringLiteral("NTE|1||%1").arg(hl7Escape(stamp.correction));
    return segments.join(QLatin1Char('\r')) + QLatin1Char('\r');
}

QString referencePages(const ReportTemplate& report, const ReportStamp& stamp)
{
    QStringList header = {
        QStringLiteral("Patient: %1   Sex: %2   DOB: %3")
            .arg(stamp.name, stamp.sex, stamp.birthDate.toString(QStringLiteral("MM/dd/yyyy"))),
        QStringLiteral("LabID: %1   Chart: %2   Account: %3").arg(stamp.labId).arg(stamp.exLabId).arg(stamp.account),
        QStringLiteral("Physician: %1").arg(stamp.physician),
        QStringLiteral("Collected: %1   Released: %2").arg(displayTime(stamp.collected), displayTime(stamp.released)),
        QStringLiteral("%1  %2").arg(report.code, report.description),
    };
    if (!stamp.correction.isEmpty()) header << stamp.correction;
    QStringList results;
    for (const QString& line : report.panel) {
        if (line.startsWith(QLatin1Char('<'))) {
            results << QString() << line.mid(1).remove(QLatin1Char(':'));
            continue;
        }
        const QStringList f = (line + QStringLiteral("||||")).split(QLatin1Char('|'));
        results << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(f[0].left(28), -28)
                       .arg(f[2].left(10), 10)
                       .arg(f[1], -2)
                       .arg(f[3].left(12), -12)
                       .arg(f[4].left(18));
    }
    const int perPage = 34;
    const int pages = qMax(1, static_cast<int>((results.size() + perPage - 1) / perPage));
    QString out = QStringLiteral("||");
    for (int page = 0; page < pages; ++page) {
        const QByteArray wmf =
            reportPageWmf(QStringLiteral("ORVALIS REFERENCE LABORATORY"), header, results.mid(page * perPage, perPage),
                          QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
        out += QString::fromLatin1(wmf.toBase64()) + QStringLiteral("||");
    }
    return out;
}

} // namespace tv::lab
