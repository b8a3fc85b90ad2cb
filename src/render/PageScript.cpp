#include "render/PageScript.h"

#include "render/StoredScript.h"
#include "text/Cp1252.h"

namespace tv::render {

namespace {
constexpr int kShortestPageScript = 20;
}

PageScript getPageScript(const std::function<QString(const QString&)>& getConfigIni)
{
    QString stored = getConfigIni(QStringLiteral("SYSTEM.PAGE"));
    if (stored.size() < kShortestPageScript) stored = getConfigIni(QStringLiteral("SCRIPT"));
    if (stored.contains(QLatin1String("function")) || stored.size() <= kShortestPageScript) return {stored, {}};
    const auto plain = decodeStoredScript(text::toCp1252(stored));
    if (!plain)
        return {{},
                QStringLiteral("The page script stored in the configuration is damaged; "
                               "synchronise the account to load it again.")};
    return {text::fromCp1252(*plain), {}};
}

} // namespace tv::render
