#pragma once

#include <QImage>

#include <cstdint>

namespace Tavrel::PhotoCore {

/// Lines of RGB32 pixels, stride pixels apart; line 0 starts at first.
template <typename Pixel>
struct PixelLines {
    Pixel* first = nullptr;
    qsizetype stride = 0;

    Pixel* operator[](int line) const { return first + line * stride; }
};

/// Rows top .. top + height - 1 of an RGB32 image width pixels wide: a kernel reads
/// them from source and writes them to target, which may be the same lines. Kernels
/// whose result depends on where a pixel lies count rows from the image's top, so
/// that a photo rendered band by band is the photo rendered whole. Pixel loops copy
/// width to a local first: a store through a pixel pointer might change the field as
/// far as the compiler knows, which keeps it from vectorising the loop.
struct PixelBand {
    PixelLines<const std::uint32_t> source;
    PixelLines<std::uint32_t> target;
    int width = 0;
    int top = 0;
    int height = 0;

    /// The rows top .. top + height - 1 of image.
    static PixelLines<const std::uint32_t> Lines(const QImage& image, int top)
    {
        return {reinterpret_cast<const std::uint32_t*>(image.constScanLine(top)), image.bytesPerLine() / 4};
    }
    static PixelLines<std::uint32_t> Lines(QImage& image, int top)
    {
        return {reinterpret_cast<std::uint32_t*>(image.scanLine(top)), image.bytesPerLine() / 4};
    }
};

} // namespace Tavrel::PhotoCore
