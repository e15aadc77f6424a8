#include "Host/Drawer/DrawerHistory.h"

#include <algorithm>

namespace Tavrel::PhotoCore {

std::vector<DrawerHistory::Step> DrawerHistory::StepsBefore(int position) const
{
    return std::vector<Step>(m_steps.begin(), m_steps.begin() + position);
}

std::uint64_t DrawerHistory::SerialBefore(int position) const
{
    return position > 0 ? m_steps[static_cast<std::size_t>(position - 1)].serial : 0;
}

const EffectsSettings* DrawerHistory::SettingsAt(int index) const
{
    if (index == -1)
        index = m_position - 1;
    if (index < 0 || index >= Size())
        return nullptr;
    return &m_steps[static_cast<std::size_t>(index)].settings;
}

int DrawerHistory::FindPackage(const std::string& packageName) const
{
    // Only the latest entry can be a try: a confirmed preset has an entry after it, and going
    // back to before it would drop that confirmation and all that followed.
    const EffectsSettings* latest = SettingsAt(-1);
    return latest && latest->Package().GetPackageName() == packageName ? m_position - 1 : -1;
}

int DrawerHistory::IndexFor(unsigned int resetIndex) const
{
    if (resetIndex == EffectsSettingsPackage::NO_INDEX)
        return m_position;
    return static_cast<int>(std::min<unsigned int>(resetIndex, static_cast<unsigned int>(m_position)));
}

void DrawerHistory::Record(EffectsSettings settings, int index)
{
    index = std::clamp(index, 0, m_position);
    // Entries recorded again at the same index replace the try, and keep what it dropped.
    if (m_dropped && m_dropped->index != index)
        m_dropped.reset();
    if (!m_dropped && m_position < Size())
        m_dropped = Dropped{index, std::vector<Step>(m_steps.begin() + m_position, m_steps.end())};
    m_steps.resize(static_cast<std::size_t>(index));
    settings.Package().sourceIndex = static_cast<unsigned int>(index);
    m_steps.push_back({m_nextSerial++, std::move(settings)});
    m_position = Size();
}

int DrawerHistory::Restore(int position, bool keepLaterEntries)
{
    m_position = std::clamp(position, 0, Size());
    if (keepLaterEntries)
        return m_position;
    m_steps.resize(static_cast<std::size_t>(m_position));
    if (m_dropped && m_dropped->index == m_position)
        m_steps.insert(m_steps.end(), m_dropped->steps.begin(), m_dropped->steps.end());
    m_dropped.reset();
    return m_position;
}

DrawerHistory::Placement DrawerHistory::PlacePaint(const EffectsSettings& paint, bool editsLatestEntry) const
{
    const unsigned int resetIndex = paint.Package().resetIndex;
    if ((resetIndex != EffectsSettingsPackage::NO_INDEX && !editsLatestEntry) || m_position == 0)
        return {IndexFor(resetIndex), paint};
    EffectsSettings latest = m_steps[static_cast<std::size_t>(m_position - 1)].settings.Clone();
    auto& effects = latest.Effects();
    for (const IEffectSettings::Ptr& effect : paint.Effects()) {
        const auto same = std::find_if(effects.begin(), effects.end(), [&](const IEffectSettings::Ptr& candidate) {
            return candidate && candidate->GetId() == effect->GetId();
        });
        if (same != effects.end())
            *same = effect;
        else
            effects.push_back(effect);
    }
    latest.Package().blendLevel = paint.Package().blendLevel;
    return {m_position - 1, std::move(latest)};
}

} // namespace Tavrel::PhotoCore
