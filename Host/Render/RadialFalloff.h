#pragma once

#include <QImage>

namespace Tavrel::PhotoCore {

/// Darkens an RGB32 image towards its corners. Inside start (a fraction of the
/// half diagonal) nothing changes; beyond it the darkening rises smoothly to
/// amount (0..1) at the corners.
class RadialFalloff {
public:
    RadialFalloff(double amount, double start);

    /// Writes the darkened source into target, which has the size of source and
    /// may be source itself.
    void Apply(const QImage& source, QImage& target) const;

private:
    double m_amount;
    double m_start;
};

} // namespace Tavrel::PhotoCore
