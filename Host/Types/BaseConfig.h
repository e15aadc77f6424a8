#pragma once

#include "Host/Types/PropertyTree.h"

#include <QString>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Tavrel::PhotoUtil {

/// Thrown when a configuration cannot be read, parsed or stored.
class BaseConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The editor's configuration storage: PropertyTrees kept as JSON files.
///
/// JSON integers become 64-bit integer scalars, numbers with a fraction or an
/// exponent doubles, objects maps, arrays lists and null a null tree, so every
/// scalar form survives a round trip through a file.
///
/// Built-in configurations are Qt resources; user configurations are files in
/// StorageFolder(). Construct one for each use.
class BaseConfig {
public:
    /// Files larger than this are refused before they are read.
    static constexpr std::size_t MaxFileSize = 64 * 1024 * 1024;
    /// Deeper nesting of objects and arrays is refused while parsing.
    static constexpr int MaxDepth = 512;

    /// ":/<folder>/<module>/<name>.json", unless the directory named by the
    /// environment variable GLIMMAR_CONFIG_DIR holds <folder>/<module>/<name>.json.
    static std::string ResourcePath(const std::string& module, const std::string& name, const std::string& folder);

    /// The tree of the JSON file or resource at path; BaseConfigError naming the
    /// path (and, for bad JSON, the byte offset and the reason) on failure.
    PropertyTree Read(const std::string& path);

    /// The tree stored under name; a null tree when there is none. A file that is
    /// not valid JSON is renamed to "<name>.json.damaged-<yyyyMMdd-HHmmss>" with a
    /// warning, and a null tree is returned.
    PropertyTree ReadOptional(const std::string& name);

    /// Stores the tree under name, atomically: on failure BaseConfigError is
    /// thrown and the previous file is left as it was.
    void Write(const std::string& name, const PropertyTree& tree);

    /// The folder of user configurations. SetStorageFolder (non-empty) wins over
    /// the environment variable GLIMMAR_USER_CONFIG_DIR, which wins over the
    /// application's configuration location.
    static void SetStorageFolder(const QString& folder);
    static QString StorageFolder();

    /// JSON text to tree and back; ParseJson throws BaseConfigError whose text
    /// starts with origin.
    static PropertyTree ParseJson(std::string_view text, const std::string& origin);
    static std::string ToJson(const PropertyTree& tree);
};

} // namespace Tavrel::PhotoUtil
