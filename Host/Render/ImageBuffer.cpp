#include "Host/Render/ImageBuffer.h"

#include <cstdlib>
#include <mutex>
#include <utility>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace Tavrel::PhotoCore {
namespace {

constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;

// The last released buffer, kept for the next render of the same size: renders
// come in series (slider drags, previews) and a fresh buffer must be zeroed by
// the system page by page. One buffer bounds what is held idle.
struct SpareBuffer {
    std::mutex mutex;
    void* data = nullptr;
    std::size_t bytes = 0;
};

SpareBuffer& Spare()
{
    static SpareBuffer spare;
    return spare;
}

// Pixels start after a header holding the buffer's size; it keeps them 64-byte aligned.
constexpr std::size_t HEADER = 64;

void Release(void* data)
{
    const std::size_t bytes = *static_cast<std::size_t*>(data);
    SpareBuffer& spare = Spare();
    {
        const std::lock_guard<std::mutex> lock(spare.mutex);
        std::swap(spare.data, data);
        spare.bytes = bytes;
    }
    std::free(data);
}

void* Take(std::size_t bytes)
{
    SpareBuffer& spare = Spare();
    const std::lock_guard<std::mutex> lock(spare.mutex);
    if (spare.bytes != bytes)
        return nullptr;
    return std::exchange(spare.data, nullptr);
}

} // namespace

QImage ImageBuffer::Allocate(const QSize& size)
{
    const auto bytes = std::size_t(size.width()) * std::size_t(size.height()) * 4;
    if (bytes < HUGE_PAGE || size.width() <= 0)
        return QImage(size, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + HEADER + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
    void* data = Take(rounded);
    if (!data) {
        data = std::aligned_alloc(HUGE_PAGE, rounded);
        if (!data)
            throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        // Advice only: without huge pages the buffer still works.
        madvise(data, rounded, MADV_HUGEPAGE);
#endif
    }
    *static_cast<std::size_t*>(data) = rounded;
    return QImage(static_cast<uchar*>(data) + HEADER, size.width(), size.height(), size.width() * 4,
                  QImage::Format_RGB32, &Release, data);
}

} // namespace Tavrel::PhotoCore
