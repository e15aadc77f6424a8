#pragma once

#include "Host/Render/PixelBand.h"

#include <QSize>

#include <cstdint>
#include <vector>

namespace Tavrel::PhotoCore {

/// Darkens an RGB32 image towards its corners. Inside start (a fraction of the
/// half diagonal) nothing changes; beyond it the darkening rises smoothly to
/// amount (0..1) at the corners.
class RadialFalloff {
public:
    /// For an image of the given size.
    RadialFalloff(double amount, double start, const QSize& size);

    /// Writes the darkened band.
    void Apply(const PixelBand& band) const;

private:
    /// Squared distances from the middle, quantised, of each column and row.
    std::vector<std::uint32_t> m_columns;
    std::vector<std::uint32_t> m_rows;
    /// The brightness factor for each quantised squared distance.
    std::vector<std::uint16_t> m_factors;
};

} // namespace Tavrel::PhotoCore
