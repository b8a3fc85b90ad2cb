// Line breaking of flowing text: the cut rule that splits a text at the widest prefix that fits,
// preferring to cut after a space or control character, and tab expansion.
#pragma once

#include <QString>

namespace tv::page {

class FontMeasure;

struct TextCut {
    QString part; ///< what goes on this line
    QString rest; ///< what remains for the next line
};

/// Cuts `text` where it fits `room` dots. The part holds at least one character, so a column
/// narrower than any character still makes progress. With `dropSpace`, a space at the cut is
/// dropped instead of beginning the remainder.
TextCut cutText(const QString& text, int room, const FontMeasure& measure, bool dropSpace);

/// Each tab becomes spaces up to the next multiple of 8 characters of the text built so far.
QString expandTabs(const QString& text);

} // namespace tv::page
