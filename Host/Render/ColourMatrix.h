#pragma once

#include "Host/Render/PixelBand.h"

#include <array>
#include <cstdint>
#include <optional>

namespace Tavrel::PhotoCore {

/// A 3x3 matrix on (red, green, blue), applied in 14-bit fixed point to RGB32
/// pixels; results are rounded and clamped to 0..255.
class ColourMatrix {
public:
    using Rows = std::array<std::array<double, 3>, 3>;
    /// Coefficients are whole multiples of 2^-SHIFT.
    static constexpr int SHIFT = 14;

    static Rows IdentityRows();
    /// identity + amount * (rows - identity): mixes a colour change with the unchanged colour.
    static Rows Mix(const Rows& rows, double amount);

    explicit ColourMatrix(const Rows& rows);

    /// This matrix followed by next, as one matrix, when its results stay within one level
    /// of applying both in turn (which rounds and clamps in between); else nothing.
    std::optional<ColourMatrix> Then(const ColourMatrix& next) const;
    /// True when applying would change no pixel.
    bool IsIdentity() const;
    /// True when colours one level apart in each channel may come out more than one apart.
    bool Widens() const;
    /// The fixed-point coefficients, row by row: red's from red, green and blue, then green's, then blue's.
    const std::array<std::int32_t, 9>& Coefficients() const { return m_coefficients; }
    /// Writes the transformed band.
    void Apply(const PixelBand& band) const;

private:
    ColourMatrix(const Rows& rows, double drift);

    Rows m_rows;
    /// How far, in levels, a result before rounding may lie from that of the matrices
    /// this one stands for applied in turn.
    double m_drift = 0.0;
    std::array<std::int32_t, 9> m_coefficients;
};

} // namespace Tavrel::PhotoCore
