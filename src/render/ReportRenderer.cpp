#include "render/ReportRenderer.h"

#include "page/PagePrinter.h"
#include "page/WmfReader.h"
#include "render/PrintOutlet.h"
#include "render/PrnPage.h"
#include "render/ReferencePages.h"
#include "script/ScriptEngine.h"
#include "text/Cp1252.h"

#include <QDir>
#include <QSaveFile>
#include <QScopeGuard>

namespace tv::render {

namespace {

bool callsInit(const QString& program)
{
    return program.toUpper().contains(QLatin1String(" INIT()"));
}

QString noticeContent(const script::ErrorInfo& error)
{
    if (error.line <= 0) return error.source;
    return QStringLiteral("%1\nLine %2: %3").arg(error.source).arg(error.line).arg(error.sourceLine.trimmed());
}

} // namespace

ReportRenderer::ReportRenderer(NoticeFunction notice, PrintOutlet* outlet)
    : m_notice(std::move(notice)), m_printer(std::make_unique<page::PagePrinter>()),
      m_report(std::make_unique<script::ScriptEngine>()), m_export(std::make_unique<script::ScriptEngine>())
{
    if (!outlet) {
        m_ownOutlet = std::make_unique<NoPrinters>();
        outlet = m_ownOutlet.get();
    }
    const auto handler = [this](const char* prefix) {
        return [this, prefix](const script::ErrorInfo& error) {
            // A failure inside a nested OnNewPage() also fails the call that opened the page:
            // the user hears about the first one only.
            if (m_stepFailed) return;
            m_stepFailed = true;
            m_failure = error.description;
            notify(QLatin1String(prefix) + error.description, noticeContent(error));
        };
    };
    m_report->setErrorHandler(handler("REPORT "));
    m_export->setErrorHandler(handler("EXPORT "));
    auto* prnPage = new PrnPage(*m_printer, *outlet);
    m_prnPage = prnPage;
    m_report->addObject(QStringLiteral("PRN_PAGE"), script::Ref<script::ScriptObject>(prnPage), true);
    m_printer->setNewPageHandler([this] { onNewPage(); });
}

ReportRenderer::~ReportRenderer() = default;

void ReportRenderer::notify(const QString& instruction, const QString& content) const
{
    if (m_notice) m_notice(instruction, content);
}

bool ReportRenderer::setPageScript(const QString& text)
{
    m_pageScript = text;
    m_stepFailed = false;
    return m_report->addCode(text);
}

bool ReportRenderer::setExportProgram(const QString& text)
{
    m_exportProgram = text;
    m_stepFailed = false;
    return m_export->addCode(text);
}

void ReportRenderer::setOffsetTexts(const QString& x, const QString& y)
{
    m_xOffsetText = x;
    m_yOffsetText = y;
}

bool ReportRenderer::run(script::ScriptEngine& engine, const QString& statement)
{
    if (m_depth == 0) m_stepFailed = false;
    ++m_depth;
    const bool ok = engine.executeStatement(statement);
    --m_depth;
    // A document left open by a failed drawing would refuse the next report's margins.
    if (!ok && m_depth == 0 && m_printer->isPrinting()) m_printer->endDoc();
    return ok;
}

bool ReportRenderer::runReportStatement(const QString& statement)
{
    return run(*m_report, statement);
}

bool ReportRenderer::runExportStatement(const QString& statement)
{
    return run(*m_export, statement);
}

void ReportRenderer::onNewPage()
{
    if (m_referenceMode || m_depth == 0) return;
    if (!run(*m_report, QStringLiteral("OnNewPage()"))) m_prnPage->failCurrentCall(m_failure);
}

bool ReportRenderer::rowChanged(const ReportRow& row)
{
    if (m_referenceMode) return renderReferenceReport(row.code);
    const QString program = m_extraFieldsInit + QLatin1String("\r\n") + row.code;
    return run(*m_report, QLatin1String("xOffSet=") + m_xOffsetText) &&
           run(*m_report, QLatin1String("yOffSet=") + m_yOffsetText) &&
           (!callsInit(m_pageScript) || run(*m_report, QStringLiteral("Init()"))) && run(*m_report, program) &&
           (!callsInit(m_exportProgram) || run(*m_export, QStringLiteral("Init()"))) && run(*m_export, program) &&
           run(*m_report, row.printed ? QStringLiteral("main(vbTrue)") : QStringLiteral("main(vbFalse)"));
}

QStringList ReportRenderer::pageTabs() const
{
    QStringList tabs;
    for (int page = 1; page <= m_printer->pageCount(); ++page)
        tabs.append(QStringLiteral("Page %1").arg(page));
    return tabs;
}

double ReportRenderer::referenceOffset(const char* key) const
{
    bool ok = false;
    const int sixteenths = m_config ? m_config(QLatin1String(key)).trimmed().toInt(&ok) : 0;
    return ok ? sixteenths / 16.0 : 0.0;
}

bool ReportRenderer::renderReferenceReport(const QString& text)
{
    // Pictures are drawn by the system itself: the page script's OnNewPage() must not run.
    const bool referenceMode = std::exchange(m_referenceMode, true);
    const auto restore = qScopeGuard([&] { m_referenceMode = referenceMode; });
    if (text.size() < kShortestReferenceText) {
        m_printer->beginDoc();
        m_printer->endDoc();
        return true;
    }
    const double xo = referenceOffset("PRINT.XOFFSET.LC");
    const double yo = referenceOffset("PRINT.YOFFSET.LC");
    const QStringList pages = splitReferencePages(text);
    for (int k = 0; k < pages.size(); ++k) {
        if (const QString error = savePageText(QStringLiteral("P%1.txt").arg(k), pages[k]); !error.isEmpty()) {
            notify(QStringLiteral("The report's pages could not be saved"), error);
            return false;
        }
    }
    m_printer->beginDoc();
    bool ok = true;
    for (int k = 0; k < pages.size() && ok; ++k) {
        if (k > 0) m_printer->newPage();
        ok = drawReferencePage(pages[k], k, xo, yo);
    }
    m_printer->endDoc();
    return ok;
}

bool ReportRenderer::drawReferencePage(const QString& pageText, int k, double xo, double yo)
{
    QString error = decodePagePicture(pageText, k);
    std::shared_ptr<const page::WmfPicture> picture;
    if (error.isEmpty()) {
        page::WmfReadResult read = page::readWmfFile(QDir(m_appFolder).filePath(QStringLiteral("p%1.wmf").arg(k)));
        picture = read.picture;
        error = read.error;
    }
    if (!picture) {
        notify(QStringLiteral("Page %1 of the report cannot be shown").arg(k + 1), error);
        return false;
    }
    const page::PageDevice& device = m_printer->device();
    const QPoint topLeft(device.lx(xo + 0.25), device.ly(yo + 0.25));
    const QPoint bottomRight(device.lx(xo + 8.2), device.ly(yo + 10.35));
    m_printer->canvas().drawPicture(QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())),
                                    picture);
    return true;
}

QString ReportRenderer::decodePagePicture(const QString& pageText, int k) const
{
    const auto bytes = decodePageText(pageText);
    if (!bytes) return QStringLiteral("The page picture is not Base64 text.");
    return saveFile(QStringLiteral("p%1.wmf").arg(k), *bytes);
}

QString ReportRenderer::savePageText(const QString& name, const QString& text) const
{
    return saveFile(name, text::toCp1252(text));
}

QString ReportRenderer::saveFile(const QString& name, const QByteArray& bytes) const
{
    QSaveFile file(QDir(m_appFolder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
    return {};
}

} // namespace tv::render
