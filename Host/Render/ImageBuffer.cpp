#include "Host/Render/ImageBuffer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <mutex>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace Tavrel::PhotoCore {
namespace {

constexpr std::size_t HUGE_PAGE = std::size_t(2) << 20;

// The buffers released last, kept for the next renders of the same size: renders come in
// series (slider drags, previews) and a fresh buffer must be zeroed by the system page by
// page, which costs about as much as the render. A drag renders a proxy and a full-size
// picture by turns: one spare of each. Two bound what is held idle.
constexpr std::size_t SPARES = 2;

// An array in place, not a container on the heap: it outlives the images still released
// while the process ends, and its buffers stay reachable.
struct Spares {
    std::mutex mutex;
    std::array<void*, SPARES> buffers{}; // most recently released first; null when none
};

Spares& TheSpares()
{
    static Spares spares;
    return spares;
}

// Pixels start after a header holding the buffer's size; it keeps them 64-byte aligned.
constexpr std::size_t HEADER = 64;

std::size_t BytesOf(void* data) { return *static_cast<std::size_t*>(data); }

void Release(void* data)
{
    void* dropped = nullptr;
    Spares& spares = TheSpares();
    {
        const std::lock_guard<std::mutex> lock(spares.mutex);
        dropped = spares.buffers.back();
        std::move_backward(spares.buffers.begin(), spares.buffers.end() - 1, spares.buffers.end());
        spares.buffers.front() = data;
    }
    std::free(dropped);
}

void* Take(std::size_t bytes)
{
    Spares& spares = TheSpares();
    const std::lock_guard<std::mutex> lock(spares.mutex);
    const auto found = std::find_if(spares.buffers.begin(), spares.buffers.end(),
                                    [bytes](void* data) { return data && BytesOf(data) == bytes; });
    if (found == spares.buffers.end())
        return nullptr;
    void* data = *found;
    std::move(found + 1, spares.buffers.end(), found);
    spares.buffers.back() = nullptr;
    return data;
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
