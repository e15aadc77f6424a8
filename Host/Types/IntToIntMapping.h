#pragma once

namespace Tavrel {

/// Maps whole numbers of the range [a, b] linearly onto [c, d] and back.
///
/// GetForward(v) = c + (v - a) * (d - c) / (b - a) and GetBackward(w) =
/// a + (w - c) * (b - a) / (d - c), computed exactly and rounded to the nearest
/// whole number, halves away from zero. Either range may run downwards; values
/// outside a range are extrapolated along the same line, not clamped. When the
/// second range is at least as wide as the first, GetBackward(GetForward(v)) == v
/// for every v. A range whose bounds are equal maps everything onto the start
/// of the other range.
class IntToIntMapping {
public:
    IntToIntMapping(int a, int b, int c, int d);

    /// The value of [c, d] for a value of [a, b].
    int GetForward(int value) const;
    /// The value of [a, b] for a value of [c, d].
    int GetBackward(int value) const;

private:
    int m_a;
    int m_b;
    int m_c;
    int m_d;
};

} // namespace Tavrel
