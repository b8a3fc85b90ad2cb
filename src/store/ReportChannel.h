// The two report channels and every name that differs between them: the reference-laboratory
// mode swaps each local table, procedure and remote view for its _LC twin. One table of names
// keeps the list, the downloads, refresh and copies from ever mixing the two channels.
#pragma once

#include <QString>

namespace tv::store {

enum class Channel { Normal, Reference };

struct ChannelNames {
    QString table;         ///< local report table
    QString addPatient;    ///< stores or refreshes a report's header (18 values)
    QString addReport;     ///< stores the report program (and the HL7 text on the reference channel)
    QString setPrinted;
    QString todayBatches;  ///< selectable procedure: batches of a day
    QString remoteView;    ///< the laboratory's view of released reports
    bool carriesHl7 = false;
};

const ChannelNames& channelNames(Channel channel);

inline Channel channelFor(bool referenceMode)
{
    return referenceMode ? Channel::Reference : Channel::Normal;
}

} // namespace tv::store
