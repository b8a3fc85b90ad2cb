// The output device a page printer lays out for: resolution, paper and unprintable offsets.
// All lengths that cross the page printer's interface are inches; conversion to dots rounds
// half to even so layouts agree with the laboratory's printers to the dot.
#pragma once

#include <QSize>

namespace tv::page {

/// Rounds to the nearest integer, halves going to the even neighbour.
int roundHalfEven(double value);

struct PageDevice {
    int dpiX = 300;
    int dpiY = 300;
    double paperWidth = 8.5;   ///< inches
    double paperHeight = 11.0; ///< inches
    double offsetLeft = 0.25;  ///< unprintable offset at the left (and right), inches
    double offsetTop = 0.25;   ///< unprintable offset at the top (and bottom), inches

    /// 300 dpi, 8.5 x 11 in, 0.25 in offsets: used without a usable printer.
    static PageDevice fallback() { return {}; }

    int lx(double inches) const { return roundHalfEven(inches * dpiX); }
    int ly(double inches) const { return roundHalfEven(inches * dpiY); }
    /// Paper position in inches to dots relative to the printable origin.
    int px(double inches) const { return roundHalfEven((inches - offsetLeft) * dpiX); }
    int py(double inches) const { return roundHalfEven((inches - offsetTop) * dpiY); }
    /// The printable page (paper less one offset on each side) in dots.
    QSize pageSizeDots() const;

    bool operator==(const PageDevice&) const = default;
};

} // namespace tv::page
