#pragma once

#include "Host/Effects/EffectsSettings.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <vector>

namespace Tavrel::PhotoCore {

/// Rendered states of a picture under a sequence of history entries, so that a
/// state is rendered from the longest cached prefix and not from the picture.
/// Thread-safe; one render at a time.
class RenderedStateCache {
public:
    /// Polled while rendering; true abandons the render.
    using Cancelled = std::function<bool()>;
    static const Cancelled NEVER_CANCELLED;
    /// Renders one entry; gives nothing when it was abandoned. cancelled is never empty.
    using Renderer =
        std::function<std::optional<QImage>(const QImage& input, const EffectsSettings& settings, const Cancelled& cancelled)>;
    using Progress = std::function<void(double fraction)>;

    /// A history entry; serial identifies its content for the whole life of the drawer.
    struct Step {
        std::uint64_t serial = 0;
        EffectsSettings settings;
    };

    /// capacity: how many rendered states besides the picture itself are kept.
    RenderedStateCache(const QImage& picture, Renderer renderer, std::size_t capacity);

    const QImage& Picture() const { return m_picture; }

    /// The picture with the steps applied in order. progress, when given, hears the
    /// fraction of the missing steps rendered so far, ending with 1. Nothing when cancelled
    /// abandons the render; the steps finished before that are kept all the same.
    std::optional<QImage> StateAt(const std::vector<Step>& steps, const Progress& progress = {},
                                  const Cancelled& cancelled = NEVER_CANCELLED);
    /// Keeps an image rendered elsewhere as the state after the steps with these serials.
    void Adopt(std::vector<std::uint64_t> serials, const QImage& image);

private:
    struct State {
        std::vector<std::uint64_t> serials;
        QImage image;
    };

    void Keep(std::vector<std::uint64_t> serials, const QImage& image);

    const QImage m_picture;
    const Renderer m_renderer;
    const std::size_t m_capacity;
    std::mutex m_mutex;
    std::list<State> m_states; // most recently used first
};

} // namespace Tavrel::PhotoCore
