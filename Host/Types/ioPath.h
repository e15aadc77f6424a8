#pragma once

#include <filesystem>
#include <string>

namespace Tavrel {

/// A file system path held as UTF-8 text on every platform.
class ioPath {
public:
    ioPath() = default;
    /// From UTF-8 text.
    explicit ioPath(const std::string& utf8);

    /// Whether the last element has an extension (".png" in "a/x.png"; a leading
    /// dot as in ".png" alone does not count).
    bool has_extension() const;
    /// The path as UTF-8 text.
    std::string utf8string() const;

    /// The folder joined with the file name; an absolute right side replaces the left.
    friend ioPath operator/(const ioPath& folder, const ioPath& name);

private:
    std::filesystem::path m_path;
};

} // namespace Tavrel
