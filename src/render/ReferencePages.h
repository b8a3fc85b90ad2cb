// Reference-laboratory reports carry finished page pictures instead of a program: "||", then per
// page the Base64 of a metafile followed by "||". Any number of pages; an empty piece between two
// separators carries no picture and is skipped rather than printed as a blank sheet.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tv::render {

/// Texts shorter than this give an empty preview.
constexpr int kShortestReferenceText = 10;

/// The page texts in order. Without a leading "||" the whole text is one page; with it, text after
/// the last "||" is ignored.
QStringList splitReferencePages(const QString& text);

/// The inverse: a report text holding the given page pictures.
QString joinReferencePages(const QList<QByteArray>& pictures);

/// Base64 of one page (line breaks allowed); nullopt when it is not Base64.
std::optional<QByteArray> decodePageText(const QString& pageText);

} // namespace tv::render
