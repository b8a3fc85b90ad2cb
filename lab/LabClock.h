// The laboratory's clock. Tests fix it so that demo data, release windows and time stamps
// written by the service are predictable; otherwise it follows the system clock.
#pragma once

#include <QDateTime>
#include <optional>

namespace tv::lab {

class LabClock {
public:
    explicit LabClock(std::optional<QDateTime> fixed = std::nullopt) : m_fixed(std::move(fixed)) {}

    QDateTime now() const { return m_fixed ? *m_fixed : QDateTime::currentDateTime(); }
    bool isFixed() const { return m_fixed.has_value(); }

private:
    std::optional<QDateTime> m_fixed;
};

} // namespace tv::lab
