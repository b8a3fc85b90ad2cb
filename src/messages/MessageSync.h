// Fetching the laboratory's unseen messages into the local mailbox and sending a customer's
// message. The highest stored message number is the bookmark, so the fetched rows and the
// new-mail flag are stored in one transaction: a half-stored fetch would skip messages forever.
#pragma once

#include "remote/RemoteClient.h"
#include "store/Connection.h"

#include <QDateTime>
#include <functional>

namespace tv::messages {

struct MessageContext {
    remote::RemoteClient& remote;
    store::Connection& db;
    int account = 0;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

struct MessageFetch {
    bool answered = false;
    int stored = 0;
    QString error; ///< a local store failure; nothing was kept
};

/// Stores every new message (ADD_MESS) and raises MAIL.MESSAGES when at least one arrived.
MessageFetch syncMessages(MessageContext& context, bool forceServerLookup);

/// Sends the message (flattened to one line); true when the laboratory took it.
bool sendMessage(MessageContext& context, const QString& customerName, const QString& subject,
                 const QString& message);

} // namespace tv::messages
