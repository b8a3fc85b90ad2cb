#include "export/PrintOffsets.h"

namespace tv::exports {

namespace {

bool readPosition(const store::ConfigStore& config, const QString& key, int& position, store::StoreResult& result)
{
    const store::TextResult read = config.getConfig(key);
    if (!read.ok) {
        result = read;
        return false;
    }
    const QString text = read.text.trimmed();
    bool ok = true;
    position = text.isEmpty() ? 0 : text.toInt(&ok);
    if (!ok) result = store::StoreResult::fail(QStringLiteral("'%1' is not a valid integer value").arg(read.text));
    return ok;
}

} // namespace

OffsetKeys offsetKeys(bool referenceMode)
{
    const QString suffix = referenceMode ? QStringLiteral(".LC") : QString();
    return {QStringLiteral("PRINT.XOFFSET") + suffix, QStringLiteral("PRINT.YOFFSET") + suffix};
}

QString xOffsetText(int position)
{
    return QStringLiteral("%1/16").arg(position);
}

QString yOffsetText(int position)
{
    return QStringLiteral("%1/16").arg(-position);
}

StoredOffsets readOffsets(const store::ConfigStore& config, bool referenceMode)
{
    StoredOffsets offsets;
    const OffsetKeys keys = offsetKeys(referenceMode);
    if (readPosition(config, keys.x, offsets.x, offsets)) readPosition(config, keys.y, offsets.y, offsets);
    return offsets;
}

store::StoreResult storeXOffset(const store::ConfigStore& config, bool referenceMode, int position)
{
    return config.addConfig(offsetKeys(referenceMode).x, QString::number(position), QString());
}

store::StoreResult storeYOffset(const store::ConfigStore& config, bool referenceMode, int position)
{
    return config.addConfig(offsetKeys(referenceMode).y, QString::number(position), QString());
}

} // namespace tv::exports
