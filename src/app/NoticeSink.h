// The program's one way of telling the user about errors and states. The window layer shows a
// dialog, the command line prints a line, tests record; every operation below runs headless.
#pragma once

#include <QString>

namespace tv::app {

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    /// A modal notice: returns when the user has dismissed it.
    virtual void showNotice(const QString& instruction, const QString& content) = 0;
    /// A transient notice that blocks for `seconds` and goes away by itself.
    virtual void showTimedNotice(const QString& title, const QString& text, int seconds) = 0;
};

} // namespace tv::app
