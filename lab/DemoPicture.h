// Page pictures of the demo reference-channel reports: small placeable Windows metafiles
// (16-bit WMF, twips) holding a title, a boxed patient block, result lines in a fixed-pitch
// font and a footer; enough for the client to show and print a believable page.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tv::lab {

QByteArray reportPageWmf(const QString& title, const QStringList& header, const QStringList& body,
                         const QString& footer);

} // namespace tv::lab
