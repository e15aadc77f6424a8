#include "Host/ColourLut.h"

#include <algorithm>
#include <cmath>

namespace Tavrel::PhotoCore {

ColourLut::ColourLut(const Table& red, const Table& green, const Table& blue)
    : m_red(red)
    , m_green(green)
    , m_blue(blue)
{
}

ColourLut::Table ColourLut::Tabulate(const std::function<double(double)>& f)
{
    Table table{};
    for (int level = 0; level < 256; ++level)
        table[level] = static_cast<std::uint8_t>(std::clamp(std::lround(f(level)), 0L, 255L));
    return table;
}

ColourLut::Table ColourLut::Identity()
{
    return Tabulate([](double level) { return level; });
}

void ColourLut::Apply(QImage& image) const
{
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = line[x];
            line[x] = 0xFF000000u | std::uint32_t(m_red[(p >> 16) & 0xFF]) << 16
                | std::uint32_t(m_green[(p >> 8) & 0xFF]) << 8 | m_blue[p & 0xFF];
        }
    }
}

} // namespace Tavrel::PhotoCore
