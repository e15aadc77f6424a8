#include "Host/Drawer/RenderedStateCache.h"

#include <algorithm>

namespace Tavrel::PhotoCore {

const RenderedStateCache::Cancelled RenderedStateCache::NEVER_CANCELLED = [] { return false; };

RenderedStateCache::RenderedStateCache(const QImage& picture, Renderer renderer, std::size_t capacity)
    : m_picture(picture), m_renderer(std::move(renderer)), m_capacity(capacity)
{
}

std::optional<QImage> RenderedStateCache::StateAt(const std::vector<Step>& steps, const Progress& progress,
                                                  const Cancelled& cancelled)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::uint64_t> serials;
    serials.reserve(steps.size());
    for (const Step& step : steps)
        serials.push_back(step.serial);

    auto best = m_states.end();
    for (auto it = m_states.begin(); it != m_states.end(); ++it) {
        const bool isPrefix = it->serials.size() <= serials.size() &&
                              std::equal(it->serials.begin(), it->serials.end(), serials.begin());
        if (isPrefix && (best == m_states.end() || it->serials.size() > best->serials.size()))
            best = it;
    }

    QImage image = m_picture;
    std::size_t done = 0;
    if (best != m_states.end()) {
        image = best->image;
        done = best->serials.size();
        m_states.splice(m_states.begin(), m_states, best);
    }

    const std::size_t missing = steps.size() - done;
    for (std::size_t i = done; i < steps.size(); ++i) {
        const EffectsSettings& settings = steps[i].settings;
        if (!settings.IsReset()) {
            std::optional<QImage> rendered = m_renderer(image, settings, cancelled);
            if (!rendered)
                return std::nullopt;
            image = std::move(*rendered);
        }
        // The state just before the last step is what the next preset is drawn on.
        if (i + 2 >= steps.size())
            Keep({serials.begin(), serials.begin() + static_cast<std::ptrdiff_t>(i + 1)}, image);
        if (progress)
            progress(static_cast<double>(i + 1 - done) / static_cast<double>(missing));
    }
    if (missing == 0 && progress)
        progress(1.0);
    return image;
}

void RenderedStateCache::Adopt(std::vector<std::uint64_t> serials, const QImage& image)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Keep(std::move(serials), image);
}

void RenderedStateCache::Keep(std::vector<std::uint64_t> serials, const QImage& image)
{
    if (m_capacity == 0)
        return;
    const auto same = std::find_if(m_states.begin(), m_states.end(),
                                   [&](const State& state) { return state.serials == serials; });
    if (same != m_states.end())
        m_states.erase(same);
    m_states.push_front({std::move(serials), image});
    while (m_states.size() > m_capacity)
        m_states.pop_back();
}

} // namespace Tavrel::PhotoCore
