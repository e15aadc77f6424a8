#pragma once

#include <QImage>

#include <array>
#include <cstdint>

namespace Tavrel::PhotoCore {

/// A 3x3 matrix on (red, green, blue), applied in 14-bit fixed point to RGB32
/// images; results are rounded and clamped to 0..255.
class ColourMatrix {
public:
    using Rows = std::array<std::array<double, 3>, 3>;

    static Rows IdentityRows();
    /// identity + amount * (rows - identity): mixes a colour change with the unchanged colour.
    static Rows Mix(const Rows& rows, double amount);

    explicit ColourMatrix(const Rows& rows);

    /// True when applying would change no pixel.
    bool IsIdentity() const;
    /// Writes the transformed source into target, which has the size of source
    /// and may be source itself.
    void Apply(const QImage& source, QImage& target) const;

private:
    std::array<std::int32_t, 9> m_coefficients;
};

} // namespace Tavrel::PhotoCore
