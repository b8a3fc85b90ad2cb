// Plays recorded pages onto any QPainter (preview, printer, PDF, PNG). The painter's transform
// maps page dots to the target, so one player serves every resolution.
#pragma once

#include "page/PageOp.h"

#include <QImage>
#include <QString>

class QPainter;

namespace tv::page {

/// Draws `ops` with the painter's current transform (units = the ops' dots).
void playOps(QPainter& painter, const std::vector<PageOp>& ops);
/// Draws `picture` stretched into `target` (in the painter's current units).
void playPicture(QPainter& painter, const WmfPicture& picture, const QRectF& target);

/// Page `number` (from 1) on white at `dpi`, the printable area only.
QImage renderPage(const PageDocument& doc, int number, double dpi);
/// Saves page `number` as PNG; returns an error message or empty.
QString savePagePng(const PageDocument& doc, int number, double dpi, const QString& path);
/// Writes every page to a PDF of the document's paper size, pages at the printable origin.
QString saveDocumentPdf(const PageDocument& doc, const QString& path);

} // namespace tv::page
