#include "demo/PanelFactory.h"

#include "demo/ToolPanel.h"

#include <QCoreApplication>

#include <iterator>

namespace Tavrel::Demo {

using Glimmar::GlimmarPresets::PresetListWithGroups;

namespace {

// Translation contexts of the configured groups' and presets' names.
constexpr TranslatableContext LooksGroups("demo.looks.groups");
constexpr TranslatableContext LooksPresets("demo.looks.presets");
constexpr TranslatableContext EffectsGroups("demo.effects.groups");
constexpr TranslatableContext EffectsPresets("demo.effects.presets");

struct PanelDescription {
    const char* title;          ///< in the translation context "PanelFactory"
    const char* objectName;
    const char* configName;     ///< the built-in configuration; also names the previews' folder and the package
    const char* userConfigPath;
    const TranslatableContext* groupContext;
    const TranslatableContext* itemContext;
    const TranslatableString* allName;
    /// Rows of the special groups; -1: none.
    int popularRow, allRow, favouritesRow, customRow;
};

// In the order of PanelFactory::Panel. Both start with the group of all presets, which shows a
// preset saved by the user at its top (a saved preset selects the first group). Looks opens on
// its special group of the popular presets. Effects has none: the configuration's own "Popular
// effects of the week" group follows the special groups and the list opens there.
const PanelDescription Descriptions[] = {
    {QT_TRANSLATE_NOOP("PanelFactory", "Looks"), "looksPanel", "looks", "GlimmarDemoLooks", &LooksGroups,
     &LooksPresets, &PresetListWithGroups::ALL_PRESETS, 1, 0, 2, 3},
    {QT_TRANSLATE_NOOP("PanelFactory", "Effects"), "effectsPanel", "effects", "GlimmarDemoEffects", &EffectsGroups,
     &EffectsPresets, &PresetListWithGroups::ALL_EFFECTS, -1, 0, 1, 2},
};

const PanelDescription& Describe(PanelFactory::Panel panel) { return Descriptions[static_cast<int>(panel)]; }

PresetListWithGroups::Initializer InitializerOf(const PanelDescription& panel)
{
    using Slot = Glimmar::GlimmarPresets::ModelPresetGroup::GroupSlot;
    const auto slot = [](const TranslatableString* name, int row) { return row < 0 ? Slot() : Slot{name, row}; };
    PresetListWithGroups::Initializer init;
    init.resourceModule = "GlimmarDemo";
    init.configName = panel.configName;
    init.previewFolder = std::string(":/previews/") + panel.configName;
    init.userConfigPath = panel.userConfigPath;
    init.packageName = std::string("GlimmarDemo.") + panel.configName;
    init.groupSlots.groupContext = panel.groupContext;
    init.groupSlots.popularSlot = slot(&PresetListWithGroups::POPULAR_EFFECTS, panel.popularRow);
    init.groupSlots.allSlot = slot(panel.allName, panel.allRow);
    init.groupSlots.favouritesSlot = slot(&PresetListWithGroups::FAVOURITE_EFFECTS, panel.favouritesRow);
    init.groupSlots.customSlot = slot(&PresetListWithGroups::CUSTOM, panel.customRow);
    init.itemContext = panel.itemContext;
    return init;
}

} // namespace

std::vector<PanelFactory::Panel> PanelFactory::Panels()
{
    std::vector<Panel> panels;
    for (std::size_t i = 0; i < std::size(Descriptions); ++i)
        panels.push_back(static_cast<Panel>(i));
    return panels;
}

QString PanelFactory::Title(Panel panel) { return QCoreApplication::translate("PanelFactory", Describe(panel).title); }

QString PanelFactory::ObjectName(Panel panel) { return QString::fromLatin1(Describe(panel).objectName); }

ToolPanel* PanelFactory::Create(Panel panel, const ICoreFactories* coreFactories, QWidget* parent)
{
    auto* toolPanel = new ToolPanel(coreFactories, InitializerOf(Describe(panel)), parent);
    toolPanel->setObjectName(ObjectName(panel));
    return toolPanel;
}

} // namespace Tavrel::Demo
