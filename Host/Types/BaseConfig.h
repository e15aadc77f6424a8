#pragma once

#include "Host/Types/BaseConfigError.h"
#include "Host/Types/JsonCodec.h"
#include "Host/Types/PropertyTree.h"

#include <QString>

#include <cstddef>
#include <string>

namespace Tavrel::PhotoUtil {

/// The editor's configuration storage: PropertyTrees kept as JSON files (see
/// JsonCodec for the form).
///
/// Built-in configurations are Qt resources; user configurations are files in
/// StorageFolder(). Construct one for each use.
class BaseConfig {
public:
    /// Files larger than this are refused before they are read.
    static constexpr std::size_t MaxFileSize = JsonCodec::MaxTextSize;

    /// ":/<folder>/<module>/<name>.json", unless the directory named by the
    /// environment variable GLIMMAR_CONFIG_DIR holds <folder>/<module>/<name>.json.
    static std::string ResourcePath(const std::string& module, const std::string& name, const std::string& folder);

    /// The tree of the JSON file or resource at path; BaseConfigError naming the
    /// path (and, for bad JSON, the byte offset and the reason) on failure.
    PropertyTree Read(const std::string& path);

    /// The tree stored under name; a null tree when there is none. A file that is
    /// not valid JSON or cannot be read is renamed to
    /// "<name>.json.damaged-<yyyyMMdd-HHmmss>" with a warning, and a null tree is
    /// returned.
    PropertyTree ReadOptional(const std::string& name);

    /// Stores the tree under name, atomically: whenever the process dies, the file
    /// holds the old tree or the whole new one. Writers in any process take turns
    /// through a kernel lock on "<name>.json.lock" (waiting up to 10 s; a writer that
    /// dies releases it at once); the new file is written as
    /// "<name>.json.saving-<process id>" and renamed, and such temporaries left by
    /// a killed writer are removed by the next one. On failure the previous file is
    /// left as it was (a file that cannot be read is never replaced), the tree is
    /// kept next to it as "<name>.json.unsaved-<yyyyMMdd-HHmmss>" when that can be
    /// written, and BaseConfigError is thrown, saying why and where the tree is kept.
    void Write(const std::string& name, const PropertyTree& tree);

    /// The folder of user configurations. SetStorageFolder (non-empty) wins over
    /// the environment variable GLIMMAR_USER_CONFIG_DIR, which wins over the
    /// application's configuration location.
    static void SetStorageFolder(const QString& folder);
    static QString StorageFolder();
};

} // namespace Tavrel::PhotoUtil
