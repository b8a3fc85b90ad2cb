#include "update/NewVersion.h"

#include <QDesktopServices>
#include <QUrl>

namespace tv::update {

std::optional<QString> checkNewVersion(const QString& fileRelease, const QString& published)
{
    if (published == fileRelease)
        return std::nullopt;
    return QStringLiteral("Upgrade version %1 to %2 ?").arg(fileRelease, published);
}

UpdateChoice chooseUpdateAction(const QString& updateAddress)
{
    return updateAddress.isEmpty() ? UpdateChoice::CloseOffer : UpdateChoice::OpenAndQuit;
}

bool openInBrowser(const QString& address)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace tv::update
