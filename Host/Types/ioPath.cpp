#include "Host/Types/ioPath.h"

namespace Tavrel {

// u8path and u8string keep the text UTF-8 whatever the narrow encoding of the platform.
ioPath::ioPath(const std::string& utf8) : m_path(std::filesystem::u8path(utf8)) {}

bool ioPath::has_extension() const { return m_path.has_extension(); }

std::string ioPath::utf8string() const { return m_path.u8string(); }

ioPath operator/(const ioPath& folder, const ioPath& name)
{
    ioPath joined;
    joined.m_path = folder.m_path / name.m_path;
    return joined;
}

} // namespace Tavrel
