#include "GlimmarPresetsUtil/Settings/ConfigStore.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/BaseConfig.h"
#include "Host/Types/CallStack.h"

#include <glog/logging.h>

#include <QDateTime>

#include <stdexcept>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoUtil::BaseConfig;

namespace {

// A user configuration that parses but does not fit (one from a newer editor, or edited by
// hand) is read as far as it goes, and kept under another name: the write at destruction
// replaces it with what the list could read.
void ReadUser(const std::string& name, const PropertyTree& tree, PresetConfig::Config& user)
{
    if (tree.isNull())
        return;
    try {
        PresetConfig::ReadConfig(user, tree, false);
        return;
    } catch (const std::exception&) {
    }
    user = PresetConfig::Config();
    PresetConfig::ReadConfig(user, tree, true);
    const std::string aside =
        name + ".damaged-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss-zzz").toStdString();
    try {
        BaseConfig().Write(aside, tree);
        LOG(INFO) << "user config " << name << " could not be read in full; it is kept as " << aside;
    } catch (const std::exception& error) {
        LOG(ERROR) << "user config " << name << " could not be read in full, nor kept as " << aside << ": "
                   << error.what();
    }
}

} // namespace

void ConfigStore::Read(const std::string& resourceModule, const std::string& configName,
                       const std::string& userConfigPath, PresetConfig::Config& builtIn, PresetConfig::Config& user)
{
    const std::string builtInPath = BaseConfig::ResourcePath(resourceModule, configName, "configs");
    const PropertyTree builtInTree = BaseConfig().Read(builtInPath);
    const PropertyTree userTree = userConfigPath.empty() ? PropertyTree() : BaseConfig().ReadOptional(userConfigPath);
    try {
        PresetConfig::ReadConfig(builtIn, builtInTree, false);
    } catch (const std::exception& error) {
        TAVREL_THROW(std::runtime_error, "cannot read configuration " + builtInPath + ": " + error.what());
    }
    ReadUser(userConfigPath, userTree, user);
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
