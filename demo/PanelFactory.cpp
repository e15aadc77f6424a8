#include "demo/PanelFactory.h"

#include "demo/ToolPanel.h"

#include <QCoreApplication>

namespace Tavrel::Demo {

using Glimmar::GlimmarPresets::PresetListWithGroups;

namespace {

// Translation contexts of the configured groups' and presets' names.
constexpr TranslatableContext LooksGroups("demo.looks.groups");
constexpr TranslatableContext LooksPresets("demo.looks.presets");
constexpr TranslatableContext EffectsGroups("demo.effects.groups");
constexpr TranslatableContext EffectsPresets("demo.effects.presets");

PresetListWithGroups::Initializer LooksInitializer()
{
    PresetListWithGroups::Initializer init;
    init.resourceModule = "GlimmarDemo";
    init.configName = "looks";
    init.previewFolder = ":/previews/looks";
    init.userConfigPath = "GlimmarDemoLooks";
    init.packageName = "GlimmarDemo.looks";
    init.groupSlots.groupContext = &LooksGroups;
    // The list opens on the special group of the popular presets.
    init.groupSlots.popularSlot = {&PresetListWithGroups::POPULAR_EFFECTS, 0};
    init.groupSlots.allSlot = {&PresetListWithGroups::ALL_PRESETS, 1};
    init.groupSlots.favouritesSlot = {&PresetListWithGroups::FAVOURITE_EFFECTS, 2};
    init.groupSlots.customSlot = {&PresetListWithGroups::CUSTOM, 3};
    init.itemContext = &LooksPresets;
    return init;
}

PresetListWithGroups::Initializer EffectsInitializer()
{
    PresetListWithGroups::Initializer init;
    init.resourceModule = "GlimmarDemo";
    init.configName = "effects";
    init.previewFolder = ":/previews/effects";
    init.userConfigPath = "GlimmarDemoEffects";
    init.packageName = "GlimmarDemo.effects";
    init.groupSlots.groupContext = &EffectsGroups;
    // The configuration's own "Popular effects of the week" group comes next and the list opens there.
    init.groupSlots.allSlot = {&PresetListWithGroups::ALL_EFFECTS, 0};
    init.groupSlots.favouritesSlot = {&PresetListWithGroups::FAVOURITE_EFFECTS, 1};
    init.groupSlots.customSlot = {&PresetListWithGroups::CUSTOM, 2};
    init.itemContext = &EffectsPresets;
    return init;
}

} // namespace

std::vector<PanelFactory::Panel> PanelFactory::Panels() { return {Panel::Looks, Panel::Effects}; }

QString PanelFactory::Title(Panel panel)
{
    return panel == Panel::Looks ? QCoreApplication::translate("PanelFactory", "Looks")
                                 : QCoreApplication::translate("PanelFactory", "Effects");
}

QString PanelFactory::ObjectName(Panel panel) { return panel == Panel::Looks ? "looksPanel" : "effectsPanel"; }

ToolPanel* PanelFactory::Create(Panel panel, const ICoreFactories* coreFactories, QWidget* parent)
{
    auto* toolPanel =
        new ToolPanel(coreFactories, panel == Panel::Looks ? LooksInitializer() : EffectsInitializer(), parent);
    toolPanel->setObjectName(ObjectName(panel));
    return toolPanel;
}

} // namespace Tavrel::Demo
