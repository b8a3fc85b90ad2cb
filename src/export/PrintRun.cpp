#include "export/PrintRun.h"

#include "export/ReportFiles.h"
#include "page/PagePrinter.h"
#include "render/PrintOutlet.h"
#include "render/ReportRenderer.h"
#include "store/ConfigStore.h"
#include "store/ReportChannel.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

namespace tv::exports {

namespace {

QString text(const store::Rows& rows, int row, QStringView column)
{
    return rows.value(row, column).toString();
}

int findRow(const store::Rows& rows, int labId, const QString& code)
{
    for (int row = 0; row < int(rows.rows.size()); ++row) {
        if (rows.value(row, u"LABID").toInt() == labId && text(rows, row, u"GENERICCODE") == code) return row;
    }
    return -1;
}

QByteArray crLfLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QByteArray bytes;
    for (const QString& line : text.split(lineBreak))
        bytes += text::toCp1252(line) + "\r\n";
    return bytes;
}

} // namespace

std::vector<PrintEntry> printEntries(const store::Rows& rows)
{
    std::vector<PrintEntry> entries;
    const QLocale english(QLocale::English);
    for (int row = 0; row < int(rows.rows.size()); ++row) {
        PrintEntry entry;
        entry.labId = rows.value(row, u"LABID").toInt();
        entry.genericCode = text(rows, row, u"GENERICCODE");
        entry.text = QStringLiteral("%1 - %2 - %3  %4 :%5")
                         .arg(entry.labId, 8, 10, QLatin1Char('0'))
                         .arg(english.toString(rows.value(row, u"WDATE").toDate(), QStringLiteral("MMM/dd/yyyy")))
                         .arg(text(rows, row, u"NAME"), -35)
                         .arg(text(rows, row, u"DESCRIPTION"), entry.genericCode);
        entries.push_back(entry);
    }
    return entries;
}

PrintRunResult PrintRun::run(const store::Rows& rows, const std::vector<PrintEntry>& entries,
                             const PrintRunOptions& options)
{
    PrintRunResult result;
    for (const PrintEntry& entry : entries) {
        if (!entry.checked && !options.all) continue;
        const int row = findRow(rows, entry.labId, entry.genericCode);
        if (row < 0) continue;
        result.error = options.referenceMode ? referenceRow(rows, row, options, result.printed)
                                             : runRow(rows, row, options, result.printed);
        if (!result.error.isEmpty()) break;
    }
    return result;
}

QString PrintRun::runRow(const store::Rows& rows, int row, const PrintRunOptions& options, int& count)
{
    const bool printed = !rows.value(row, u"PRINTED").isNull();
    m_outlet.reportStarting(rows.value(row, u"LABID").toInt(), text(rows, row, u"GENERICCODE"));
    if (!m_renderer.rowChanged({text(rows, row, u"REP_CODE"), printed}))
        return QStringLiteral("The report could not be rendered.");
    if (options.exportResults &&
        !m_renderer.runExportStatement(QStringLiteral("Export \"%1\"").arg(options.exportPath)))
        return QStringLiteral("The HL7 export failed.");
    if (options.print) {
        m_renderer.pagePrinter().setTitle(text(rows, row, u"NAME") + QStringLiteral(" / ") +
                                          text(rows, row, u"DESCRIPTION"));
        if (!m_renderer.runReportStatement(printed ? QStringLiteral("PrintReport(vbTRUE)")
                                                   : QStringLiteral("PrintReport(vbFALSE)")))
            return QStringLiteral("The report could not be printed.");
        if (!printed) {
            if (const QString error = setPrinted(rows, row, false); !error.isEmpty()) return error;
        }
        ++count;
    }
    return exportFiles(rows, row, options);
}

QString PrintRun::referenceRow(const store::Rows& rows, int row, const PrintRunOptions& options, int& count)
{
    m_outlet.reportStarting(rows.value(row, u"LABID").toInt(), text(rows, row, u"GENERICCODE"));
    if (!m_renderer.renderReferenceReport(text(rows, row, u"REP_CODE")))
        return QStringLiteral("The report could not be rendered.");
    if (const QString error = setPrinted(rows, row, true); !error.isEmpty()) return error;
    ++count;
    if (options.exportResults) {
        const QString folder = QDir(options.appFolder).filePath(QStringLiteral("REFERENCE"));
        if (!QDir().mkpath(folder)) return QStringLiteral("%1: cannot create the folder").arg(folder);
        const QString name =
            QStringLiteral("PAT_%1_%2.HL7").arg(rows.value(row, u"LABID").toInt()).arg(text(rows, row, u"GENERICCODE"));
        if (const QString error = writeFileWhole(QDir(folder).filePath(name), crLfLines(text(rows, row, u"HL7")));
            !error.isEmpty())
            return error;
    }
    m_renderer.pagePrinter().setTitle(text(rows, row, u"NAME") + QStringLiteral(" / ") +
                                      text(rows, row, u"DESCRIPTION"));
    if (m_renderer.pagePrinter().pageCount() == 0) return {};
    return m_outlet.print(m_renderer.pagePrinter().document());
}

PrintRunResult PrintRun::printOne(const store::Rows& rows, int row, const PrintRunOptions& options)
{
    PrintRunResult result;
    const bool printed = !rows.value(row, u"PRINTED").isNull();
    m_outlet.reportStarting(rows.value(row, u"LABID").toInt(), text(rows, row, u"GENERICCODE"));
    m_renderer.pagePrinter().setTitle(text(rows, row, u"NAME") + QStringLiteral(" / ") +
                                      text(rows, row, u"DESCRIPTION"));
    if (options.print) {
        if (options.referenceMode) {
            result.error = m_outlet.print(m_renderer.pagePrinter().document());
            if (result.error.isEmpty()) result.error = setPrinted(rows, row, true);
            result.printed = 1;
        } else if (!m_renderer.runReportStatement(printed ? QStringLiteral("PrintReport(vbTRUE)")
                                                          : QStringLiteral("PrintReport(vbFALSE)"))) {
            result.error = QStringLiteral("The report could not be printed.");
        } else {
            result.error = printed ? QString() : setPrinted(rows, row, false);
            result.printed = printed ? 1 : 2;
        }
    }
    if (result.error.isEmpty() && !options.referenceMode) result.error = exportFiles(rows, row, options);
    return result;
}

QString PrintRun::exportFiles(const store::Rows& rows, int row, const PrintRunOptions& options)
{
    const ReportKey key{rows.value(row, u"LABID").toInt(), text(rows, row, u"EXLABID"),
                        text(rows, row, u"GENERICCODE")};
    return exportReportFiles(readReportFileFolders(options.appFolder), m_renderer.pagePrinter().document(), key,
                             reportValueText(options.extraFieldsInit, text(rows, row, u"REP_CODE")));
}

QString PrintRun::setPrinted(const store::Rows& rows, int row, bool referenceMode)
{
    const store::StoreResult done =
        m_db.executeProcedure(store::channelNames(store::channelFor(referenceMode)).setPrinted,
                              {rows.value(row, u"LABID").toInt(), text(rows, row, u"GENERICCODE")});
    return done.ok ? QString() : done.message;
}

store::StoreResult addToPrintCount(const store::ConfigStore& config, const QDate& today, int n)
{
    const QString key = QStringLiteral("PRINT.COUNT.") + today.toString(QStringLiteral("yyMM"));
    const store::TextResult current = config.getConfig(key);
    if (!current.ok) return current;
    bool number = false;
    const int value = current.text.trimmed().toInt(&number);
    return config.addConfig(key, QString::number((number ? value : 0) + n), QString());
}

} // namespace tv::exports
