// Preview of a page printer's document: shows one page at a zoom percentage. Repainting is
// suspended while the printer has a document open or while an update is in progress.
#pragma once

#include <QWidget>

namespace tv::page {

class PagePrinter;

class PagePreview : public QWidget {
public:
    explicit PagePreview(PagePrinter& printer, QWidget* parent = nullptr);
    ~PagePreview() override;

    /// Fails with "PageNumber must be between 1 and " + page count outside 1 .. page count.
    QString showPage(int number);
    int shownPage() const { return m_page; }
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    /// Suspends and resumes repainting around a group of changes; calls nest.
    void beginUpdate();
    void endUpdate();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void relayout();

    PagePrinter& m_printer;
    int m_page = 1;
    int m_zoom = 100;
    int m_updating = 0;
};

} // namespace tv::page
