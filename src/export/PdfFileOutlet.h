// Prints each report of a run to a PDF file of its own in one folder instead of a print job. The
// file is named after the report's LABID and GENERICCODE and written under a temporary name, then
// renamed into place: a reader never sees half a file, and printing the report again replaces it.
#pragma once

#include "render/PrintOutlet.h"

namespace tv::exports {

class PdfFileOutlet : public render::PrintOutlet {
public:
    /// `folder` must exist.
    explicit PdfFileOutlet(QString folder);

    /// One printer, "PDF files", laid out on the fallback device.
    QStringList printerNames() const override;
    QString currentPrinter() const override;
    std::optional<page::PageDevice> selectPrinter(const QString& name) override;
    /// Fails until a run has named the report being printed.
    QString print(const page::PageDocument& document) override;
    void reportStarting(int labId, const QString& genericCode) override;

    /// "<labid>_<code>.pdf", and "<labid>_<code>-<n>.pdf" for a report's n-th job of one run. Characters
    /// other than letters, digits, ".", "_" and "-" are written as %XX, so no code can leave the
    /// folder and two codes never share a file.
    static QString fileName(int labId, const QString& genericCode, int job = 1);
    /// Files written so far, in order.
    const QStringList& written() const { return m_written; }

private:
    QString m_folder;
    bool m_named = false; ///< a run has named the report being printed
    int m_labId = 0;
    QString m_genericCode;
    int m_jobs = 0; ///< jobs of the current report so far
    QStringList m_written;
};

} // namespace tv::exports
