// A notice sink that keeps what it was shown.
#pragma once

#include "app/NoticeSink.h"

#include <QStringList>

namespace tv::app::testing {

class RecordedNotices : public NoticeSink {
public:
    void showNotice(const QString& instruction, const QString& content) override
    {
        notices.append(instruction + QLatin1String(" | ") + content);
    }
    void showTimedNotice(const QString& title, const QString& text, int seconds) override
    {
        timed.append(QStringLiteral("%1 | %2 | %3").arg(title, text).arg(seconds));
    }

    QStringList notices;
    QStringList timed;
};

} // namespace tv::app::testing
