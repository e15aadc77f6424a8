#include "GlimmarPresetsUtil/Settings/ConfigStore.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"

#include <glog/logging.h>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoUtil::BaseConfig;

void ConfigStore::Read(const std::string& resourceModule, const std::string& configName,
                       const std::string& userConfigPath, PresetConfig::Config& builtIn, PresetConfig::Config& user)
{
    const PropertyTree builtInTree = BaseConfig().Read(BaseConfig::ResourcePath(resourceModule, configName, "configs"));
    const PropertyTree userTree = userConfigPath.empty() ? PropertyTree() : BaseConfig().ReadOptional(userConfigPath);
    PresetConfig::ReadConfig(builtIn, builtInTree, false);
    PresetConfig::ReadConfig(user, userTree, true);
}

void ConfigStore::WriteUser(const std::string& userConfigPath, const PresetConfig::Config& user) noexcept
{
    if (userConfigPath.empty())
        return;
    try {
        PropertyTree tree;
        PresetConfig::WriteConfig(user, tree);
        BaseConfig().Write(userConfigPath, tree);
    } catch (const std::exception& error) {
        LOG(ERROR) << "failed to write user config " << userConfigPath << ": " << error.what();
    } catch (...) {
        LOG(ERROR) << "failed to write user config " << userConfigPath << ": unknown error";
    }
}

} // namespace Tavrel::Glimmar::GlimmarPresets
