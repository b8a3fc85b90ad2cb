#include "store/ReportChannel.h"

namespace tv::store {

const ChannelNames& channelNames(Channel channel)
{
    static const ChannelNames normal{QStringLiteral("EXTERNAL_REPORT"),   QStringLiteral("ADD_PATIENT"),
                                     QStringLiteral("ADD_REPORT"),        QStringLiteral("SET_PRINTED"),
                                     QStringLiteral("GET_TODAY_BATCHS"),  QStringLiteral("V_EXTERNAL_REPORT_V2"),
                                     false};
    static const ChannelNames reference{QStringLiteral("EXTERNAL_REPORT_LC"),  QStringLiteral("ADD_PATIENT_LC"),
                                        QStringLiteral("ADD_REPORT_LC"),       QStringLiteral("SET_PRINTED_LC"),
                                        QStringLiteral("GET_TODAY_BATCHS_LC"), QStringLiteral("V_EXTERNAL_REPORT_LC"),
                                        true};
    return channel == Channel::Reference ? reference : normal;
}

} // namespace tv::store
