// The offer of the program version the laboratory publishes. Any difference from the running
// release counts (a lower one too); the address is opened in the desktop's browser and the
// program never fetches or starts an executable itself.
#pragma once

#include <QString>
#include <optional>

namespace tv::update {

/// The offer text "Upgrade version <running> to <published> ?", or nothing when they are equal.
std::optional<QString> checkNewVersion(const QString& fileRelease, const QString& published);

enum class UpdateChoice { CloseOffer, OpenAndQuit };

/// What "Download and Update" does: an empty address only closes the offer.
UpdateChoice chooseUpdateAction(const QString& updateAddress);

/// Opens the address in the desktop's browser and returns without waiting for it.
bool openInBrowser(const QString& address);

} // namespace tv::update
