#include "bench/BenchData.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "Host/Effects/EffectSettingsRegistry.h"
#include "Host/Types/JsonCodec.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

using namespace Tavrel::Glimmar::GlimmarPresets::PresetConfig;
using Tavrel::PropertyTree;
using Tavrel::Glimmar::GlimmarPresets::PresetListWithGroups;
using Tavrel::PhotoCore::EffectSettingsRegistry;

namespace {

constexpr Tavrel::TranslatableContext GROUP_CONTEXT("bench_groups");
constexpr Tavrel::TranslatableContext ITEM_CONTEXT("bench_presets");

} // namespace

const QImage& BenchPhoto()
{
    static const QImage photo = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x * 7 + y) & 0xFF, (x + y * 3) & 0xFF, (x * y) & 0xFF);
        }
        return image;
    }();
    return photo;
}

EffectList BenchEffects(int seed, int count)
{
    // Every class with an "amount", so that any of them can carry a slider.
    static const char* const classes[] = {"exposure", "contrast",  "saturation",   "temperature",
                                          "vignette", "grain",     "blackWhiteMix"};
    EffectList effects;
    for (int e = 0; e < count; ++e) {
        auto effect = EffectSettingsRegistry::Create(classes[(seed + e) % 7]);
        effect->GetPropertyAccess()->SetProperty("amount", PropertyTree(0.01 * ((seed * 7 + e * 13) % 50)));
        effects.push_back(effect);
    }
    return effects;
}

Config BenchConfig(int groups, int itemsPerGroup)
{
    const IntensityType kinds[] = {IntensityType::CustomAuto, IntensityType::Blend, IntensityType::None};
    Config config;
    for (int g = 0; g < groups; ++g) {
        Group group;
        group.m_name = "Group " + std::to_string(g);
        group.m_statisticsName = "group" + std::to_string(g);
        group.m_painterClassId = "SettingsPainterEffectsPackage";
        group.m_intensity.m_type = kinds[g % 3];
        for (int i = 0; i < itemsPerGroup; ++i) {
            Item item;
            item.m_id = "preset." + std::to_string(g) + "." + std::to_string(i);
            item.m_name = "Preset " + std::to_string(g) + "." + std::to_string(i);
            item.m_isPopular = i % 17 == 0;
            item.m_effects = BenchEffects(g + i, 3);
            // A slider finds its effect by id, so it never goes with a blender around the chain.
            item.m_wrapWithBlender = i % 3 == 0 && i % 4 != 1;
            if (i % 4 == 1) {
                item.m_intensity.m_type = IntensityType::Custom;
                item.m_intensity.m_sliderSetting.m_data.m_variables.push_back(
                    {0.0, 0.75, item.m_effects[0]->GetId(), "amount"});
            }
            group.m_items.push_back(std::move(item));
        }
        config.m_groups.push_back(std::move(group));
    }
    return config;
}

PresetListWithGroups::Initializer BenchList(const QTemporaryDir& folder, const std::string& module,
                                            const Config& config, Tavrel::PhotoCore::PackageInfo& packageInfo)
{
    QFile style(QStringLiteral(":/styles/glimmar.qss"));
    style.open(QIODevice::ReadOnly);
    qApp->setStyleSheet(QString::fromUtf8(style.readAll()));

    PropertyTree tree;
    WriteConfig(config, tree);
    const QString configs = QStringLiteral("configs/") + QString::fromStdString(module);
    QDir(folder.path()).mkpath(configs);
    QSaveFile file(folder.filePath(configs + QStringLiteral("/presets.json")));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray::fromStdString(Tavrel::PhotoUtil::JsonCodec::Serialize(tree)));
    file.commit();
    qputenv("GLIMMAR_CONFIG_DIR", QFile::encodeName(folder.path()));

    PresetListWithGroups::Initializer initializer;
    initializer.resourceModule = module;
    initializer.configName = "presets";
    initializer.packageName = module;
    initializer.groupSlots.groupContext = &GROUP_CONTEXT;
    initializer.groupSlots.allSlot = {&PresetListWithGroups::ALL_PRESETS, 0};
    initializer.itemContext = &ITEM_CONTEXT;
    initializer.packageInfo = &packageInfo;
    return initializer;
}
