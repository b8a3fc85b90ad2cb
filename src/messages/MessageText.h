// The texts of the message exchange with the laboratory: the fetch of unseen messages (the
// highest stored number is the bookmark), the stored body with its sender lines, and the
// statement that sends a customer's message as one flattened, quoted line.
#pragma once

#include <QDateTime>
#include <QString>

namespace tv::messages {

/// Messages for this account or for every account (0), released ("S"), newer than `maxIdx`.
QString fetchStatement(int account, int maxIdx);

/// "FROM :" sender, CR LF, "DATE :" written formatted "ddd, mmm/dd/yyyy hh:nn am/pm", CR LF CR LF, body.
QString composeStoredText(const QString& fromUser, const QDateTime& written, const QString& body);

/// Carriage returns removed, line feeds turned into one blank each.
QString flattenMessage(const QString& text);

/// The INSERT of a customer's message (type "U", stamped by the laboratory's clock).
QString sendStatement(int account, const QString& customerName, const QString& subject, const QString& message);

} // namespace tv::messages
