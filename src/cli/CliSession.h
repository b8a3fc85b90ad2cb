// What most commands share: notices printed one per line, the data module started the way the
// program starts it, or only the store opened for commands that must not change anything else.
#pragma once

#include "app/NoticeSink.h"
#include "cli/CommandTable.h"

namespace tv::cli {

class PrintedNotices : public app::NoticeSink {
public:
    explicit PrintedNotices(QTextStream& out) : m_out(out) {}
    void showNotice(const QString& instruction, const QString& content) override;
    /// Printed at once; the command line does not wait for it.
    void showTimedNotice(const QString& title, const QString& text, int seconds) override;
    /// The instruction of the last notice, for a one-line reason of failure.
    const QString& lastInstruction() const { return m_last; }

private:
    QTextStream& m_out;
    QString m_last;
};

/// Opens the store of an installation that already has one; prints the reason and returns false
/// when there is none or it cannot be opened.
bool openExistingStore(CommandContext& context, store::Connection& connection);

} // namespace tv::cli
