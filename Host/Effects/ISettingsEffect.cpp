#include "Host/Effects/ISettingsEffect.h"

#include <atomic>

namespace Tavrel::PhotoCore {
namespace {

// The drawer clones settings on its own thread too.
std::uint64_t NextRevision()
{
    static std::atomic<std::uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace

ISettingsEffect::ISettingsEffect() : m_revision(NextRevision()) {}

ISettingsEffect::ISettingsEffect(const ISettingsEffect&) : m_revision(NextRevision()) {}

ISettingsEffect& ISettingsEffect::operator=(const ISettingsEffect&)
{
    Changed();
    return *this;
}

std::uint64_t ISettingsEffect::GetRevision() const
{
    return m_revision;
}

void ISettingsEffect::Changed()
{
    m_revision = NextRevision();
}

} // namespace Tavrel::PhotoCore
