// The language's regular expressions (the JScript dialect) on top of QRegularExpression (PCRE2):
// the pattern is rewritten where the dialects differ, and replacement texts are expanded by hand.
#pragma once

#include <QString>

class QRegularExpressionMatch;

namespace tv::script::lib {

/// A PCRE2 pattern that matches what the JScript-dialect pattern matches.
QString translatePattern(const QString& pattern, bool multiLine);

/// The replacement text for one match: $1..$99, $&, $`, $' and $$ expanded.
QString expandReplacement(const QString& with, const QRegularExpressionMatch& match, const QString& subject);

} // namespace tv::script::lib
