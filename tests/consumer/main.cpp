#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Types/PropertyTree.h"

#include <QApplication>

#include <cstdio>

using namespace Tavrel;
using namespace Tavrel::Glimmar::GlimmarPresets;

namespace {

PropertyTree::Map& MapIn(PropertyTree& tree)
{
    tree.convertToMap();
    return tree.getMap();
}

PropertyTree ListOf(PropertyTree element)
{
    PropertyTree tree;
    tree.convertToList();
    tree.getList().push_back(std::move(element));
    return tree;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    PropertyTree effect, item, group, config;
    MapIn(effect)["class"] = PropertyTreeScalar("exposure");
    MapIn(effect)["amount"] = PropertyTreeScalar(0.5);
    MapIn(item)["id"] = PropertyTreeScalar("brighten");
    MapIn(item)["name"] = PropertyTreeScalar("Brighten");
    MapIn(item)["effects"] = ListOf(effect);
    MapIn(group)["name"] = PropertyTreeScalar("Light");
    MapIn(group)["items"] = ListOf(item);
    MapIn(config)["groups"] = ListOf(group);

    PresetConfig::Config read;
    PresetConfig::ReadConfig(read, config, false);
    const ItemModelPreset preset(read.m_groups.at(0).m_items.at(0), nullptr, "");
    if (preset.GetId() != "brighten" || preset.GetEffectSettings().IsReset()) {
        std::fprintf(stderr, "the preset was not built from its configuration\n");
        return 1;
    }
    std::printf("%s\n", preset.GetName().getUntranslated().c_str());
    return 0;
}
