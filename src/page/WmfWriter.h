// Writes a recorded page as a placeable 16-bit Windows metafile (units per inch = the page's dpi)
// for the customer's software. GDI objects are created as needed and their slots reused.
#pragma once

#include "page/PageOp.h"

#include <QByteArray>
#include <QString>

namespace tv::page {

QByteArray writeWmf(const Page& page, const PageDevice& device);
/// Saves page `number` (from 1); returns an error message or empty.
QString savePageWmf(const PageDocument& doc, int number, const QString& path);

} // namespace tv::page
