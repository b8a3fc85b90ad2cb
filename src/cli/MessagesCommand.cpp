// messages [--send NAME SUBJECT TEXT]: fetches the laboratory's new messages and lists the
// mailbox, or sends one message to the laboratory's customer service.
#include "cli/LabCommandSession.h"
#include "intake/TextTable.h"
#include "messages/MessageSync.h"
#include "store/ConfigStore.h"

namespace tv::cli {

namespace {

int runMessages(CommandContext& context)
{
    const QStringList& args = context.args;
    const bool send = args.size() == 4 && args[0] == QLatin1String("--send");
    if (!args.isEmpty() && !send) {
        context.err << "tallyvane messages: use \"messages\" or \"messages --send NAME SUBJECT TEXT\"" << Qt::endl;
        return 2;
    }
    LabCommandSession session(context, QStringLiteral("messages"));
    if (!session.ok()) return 1;
    messages::MessageContext mail{session.remote(), session.db, session.lab.account, intake::sessionNow};
    if (send) {
        if (!messages::sendMessage(mail, args[1], args[2], args[3])) {
            context.err << "tallyvane messages: the message was not delivered" << Qt::endl;
            return 1;
        }
        context.out << "message sent" << Qt::endl;
        return 0;
    }
    const messages::MessageFetch fetch = messages::syncMessages(mail, true);
    if (!fetch.error.isEmpty()) {
        context.err << "tallyvane messages: " << fetch.error << Qt::endl;
        return 1;
    }
    context.out << "new messages: " << fetch.stored << Qt::endl;
    const store::QueryResult stored = session.db.select(QStringLiteral("SELECT * FROM MESSAGES ORDER BY IDX DESC"));
    if (!stored.ok) {
        context.err << "tallyvane messages: " << stored.message << Qt::endl;
        return 1;
    }
    intake::TextTable table(
        {QStringLiteral("IDX"), QStringLiteral("DATE"), QStringLiteral("TYPE"), QStringLiteral("TITLE")});
    for (int row = 0; row < stored.rows.rows.size(); ++row)
        table.addRow({stored.rows.value(row, u"IDX").toString(),
                      stored.rows.value(row, u"WDATE").toDate().toString(QStringLiteral("MM/dd/yyyy")),
                      stored.rows.value(row, u"MTYPE").toString(), stored.rows.value(row, u"TITLE").toString()});
    context.out << table.text();
    context.out << "MAIL.MESSAGES=" << store::ConfigStore(session.db).getConfig(QStringLiteral("MAIL.MESSAGES")).text
                << Qt::endl;
    return fetch.answered ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("messages"),
                                        QStringLiteral("messages [--send NAME SUBJECT TEXT]"), runMessages});

} // namespace

} // namespace tv::cli
