// The report files handed to the customer's software beside the HL7 file: a metafile picture and a
// value text per page, in the folders EXPORT.INI names. Each file is written under a temporary name
// in its folder and renamed into place, so the customer's software never reads a half-written file.
#pragma once

#include <QDate>
#include <QString>

namespace tv::page {
struct PageDocument;
}

namespace tv::exports {

/// EXPORT.INI's folders, each a file name prefix; empty when unset or not an existing folder.
struct ReportFileFolders {
    QString image;     ///< REPIMAGE: page pictures
    QString data;      ///< REPDATA: value texts
    QString imageData; ///< REPIMAGEDATA: both
};

struct ReportKey {
    int labId = 0;
    QString exLabId;
    QString genericCode;
};

/// Reads [EXPORT] of EXPORT.INI in `appFolder`; a missing file gives three empty folders.
ReportFileFolders readReportFileFolders(const QString& appFolder);

/// "PAT<page>_<labid>_<exlabid>_<code>", page from 1.
QString reportFileBaseName(const ReportKey& key, int page);

/// ExtraFieldsInit, a line break and the report program, every line ended by CR LF.
QByteArray reportValueText(const QString& extraFieldsInit, const QString& reportProgram);

/// Writes the configured files for every page of `doc`, replacing existing ones; the first file
/// error or empty.
QString exportReportFiles(const ReportFileFolders& folders, const page::PageDocument& doc, const ReportKey& key,
                          const QByteArray& valueText);

/// Writes `bytes` to a temporary file beside `path` and renames it to `path`; an error or empty.
QString writeFileWhole(const QString& path, const QByteArray& bytes);

/// The folder with a trailing separator ("/" here; one ending in "/" or "\" is kept).
QString includeTrailingSeparator(const QString& path);

/// The export folder's password: the account number followed by the day of the month as two digits.
bool exportPasswordMatches(const QString& answer, const QString& account, const QDate& today);

} // namespace tv::exports
