#include "Host/Types/IntToIntMapping.h"

#include <cstdint>

namespace Tavrel {

namespace {

// numerator / denominator rounded to nearest, halves away from zero, without
// going through floating point (so 0.5 steps are decided exactly).
std::int64_t DivideRounded(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const std::int64_t half = (numerator >= 0 ? 2 * numerator + denominator : 2 * numerator - denominator);
    return half / (2 * denominator);
}

int Map(int value, int fromBegin, int fromEnd, int toBegin, int toEnd)
{
    if (fromBegin == fromEnd)
        return toBegin;
    const std::int64_t numerator =
        (std::int64_t{value} - fromBegin) * (std::int64_t{toEnd} - toBegin);
    return static_cast<int>(toBegin + DivideRounded(numerator, std::int64_t{fromEnd} - fromBegin));
}

} // namespace

IntToIntMapping::IntToIntMapping(int a, int b, int c, int d) : m_a(a), m_b(b), m_c(c), m_d(d) {}

int IntToIntMapping::GetForward(int value) const { return Map(value, m_a, m_b, m_c, m_d); }

int IntToIntMapping::GetBackward(int value) const { return Map(value, m_c, m_d, m_a, m_b); }

} // namespace Tavrel
