// The print and export run over the listed reports and the single print of the current one. Each
// entry carries its report's LABID and GENERICCODE, so a run never reads them back from the entry's
// text. The first failure stops the run where it is: nothing after it is marked or counted.
#pragma once

#include "store/Connection.h"

#include <QDate>
#include <QString>
#include <vector>

namespace tv::render {
class PrintOutlet;
class ReportRenderer;
} // namespace tv::render

namespace tv::store {
class ConfigStore;
}

namespace tv::exports {

struct PrintEntry {
    int labId = 0;
    QString genericCode;
    QString text; ///< what the panel shows
    bool checked = false;
};

/// One unchecked entry per row, in list order.
std::vector<PrintEntry> printEntries(const store::Rows& rows);

struct PrintRunOptions {
    bool all = false;  ///< "All": every entry, checked or not
    bool print = true; ///< "Print Results"
    bool exportResults = false;
    bool referenceMode = false;
    QString exportPath; ///< the HL7 folder
    QString appFolder;  ///< EXPORT.INI and REFERENCE live here
    QString extraFieldsInit;
};

struct PrintRunResult {
    QString error;   ///< empty when the run went through
    int printed = 0; ///< the run count
};

class PrintRun {
public:
    PrintRun(store::Connection& db, render::ReportRenderer& renderer, render::PrintOutlet& outlet)
        : m_db(db), m_renderer(renderer), m_outlet(outlet)
    {
    }

    /// btPrintAllClick over `rows` (the report list). The month's counter is not touched.
    PrintRunResult run(const store::Rows& rows, const std::vector<PrintEntry>& entries, const PrintRunOptions& options);
    /// FlatButton2Click on row `row`, which the renderer already shows.
    PrintRunResult printOne(const store::Rows& rows, int row, const PrintRunOptions& options);

private:
    QString runRow(const store::Rows& rows, int row, const PrintRunOptions& options, int& count);
    QString referenceRow(const store::Rows& rows, int row, const PrintRunOptions& options, int& count);
    QString exportFiles(const store::Rows& rows, int row, const PrintRunOptions& options);
    QString setPrinted(const store::Rows& rows, int row, bool referenceMode);

    store::Connection& m_db;
    render::ReportRenderer& m_renderer;
    render::PrintOutlet& m_outlet;
};

/// AddToPrintCount: adds n (even 0) to PRINT.COUNT.<YYMM of today>; a value that is no number counts as 0.
store::StoreResult addToPrintCount(const store::ConfigStore& config, const QDate& today, int n);

} // namespace tv::exports
