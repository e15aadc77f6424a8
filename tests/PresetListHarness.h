#pragma once

// A preset list as the editor embeds it: a built-in configuration written to a
// temporary folder, the real drawer on a photo, the default style sheet.

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"
#include "GlimmarPresetsUtil/Widgets/PresetWidget.h"
#include "Host/Drawer/WorkspaceController.h"
#include "Host/Types/JsonCodec.h"
#include "TestPresets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QSaveFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace PresetListHarness {

using Tavrel::Glimmar::GlimmarPresets::ModelPreset;
using Tavrel::Glimmar::GlimmarPresets::ModelPresetGroup;
using Tavrel::Glimmar::GlimmarPresets::PresetListWithGroups;
using Tavrel::Glimmar::GlimmarPresets::PresetWidget;
namespace PresetConfig = Tavrel::Glimmar::GlimmarPresets::PresetConfig;

inline constexpr Tavrel::TranslatableContext GROUP_CONTEXT("test_groups");
inline constexpr Tavrel::TranslatableContext ITEM_CONTEXT("test_presets");

/// Rows of the special groups; configured groups follow from row 4.
enum SpecialRow { AllRow = 0, FavouritesRow = 1, CustomRow = 2, PopularRow = 3, FirstConfiguredRow = 4 };

/// The default style sheet followed by extra rules (which win).
inline void UseStyleSheet(const QString& extra = QString())
{
    QFile file(QStringLiteral(":/styles/glimmar.qss"));
    file.open(QIODevice::ReadOnly);
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()) + extra);
}

inline PresetConfig::Group Group(const std::string& name, std::vector<PresetConfig::Item> items)
{
    PresetConfig::Group group;
    group.m_name = name;
    group.m_items = std::move(items);
    return group;
}

/// count exposure presets named "<prefix>0", "<prefix>1", ...
inline std::vector<PresetConfig::Item> ExposureItems(const std::string& prefix, int count)
{
    std::vector<PresetConfig::Item> items;
    for (int i = 0; i < count; ++i)
        items.push_back(TestPresets::ExposureItem(prefix + std::to_string(i), 0.2 + 0.05 * (i % 20)));
    return items;
}

class Harness {
public:
    /// userConfig: the name of the user configuration; empty: none.
    explicit Harness(const PresetConfig::Config& builtIn, const std::string& userConfig = {},
                     const QImage& photo = QImage(QStringLiteral(GLIMMAR_TEST_DATA_DIR "/coffee.jpg")))
        : controller(std::make_shared<Tavrel::PhotoCore::WorkspaceController>(photo))
    {
        Tavrel::PropertyTree tree;
        PresetConfig::WriteConfig(builtIn, tree);
        QDir(configDir.path()).mkpath(QStringLiteral("configs/Tests"));
        QSaveFile file(configDir.filePath(QStringLiteral("configs/Tests/presets.json")));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(Tavrel::PhotoUtil::JsonCodec::Serialize(tree)));
        file.commit();
        qputenv("GLIMMAR_CONFIG_DIR", QFile::encodeName(configDir.path()));

        initializer.resourceModule = "Tests";
        initializer.configName = "presets";
        initializer.userConfigPath = userConfig;
        initializer.packageName = "tests";
        initializer.groupSlots.groupContext = &GROUP_CONTEXT;
        initializer.groupSlots.allSlot = {&PresetListWithGroups::ALL_PRESETS, AllRow};
        initializer.groupSlots.favouritesSlot = {&PresetListWithGroups::FAVOURITE_EFFECTS, FavouritesRow};
        initializer.groupSlots.customSlot = {&PresetListWithGroups::CUSTOM, CustomRow};
        initializer.groupSlots.popularSlot = {&PresetListWithGroups::POPULAR_EFFECTS, PopularRow};
        initializer.itemContext = &ITEM_CONTEXT;
        initializer.packageInfo = &packageInfo;
    }

    ~Harness() { qunsetenv("GLIMMAR_CONFIG_DIR"); }

    /// A new list on the workspace, shown at the given size and painted once.
    PresetListWithGroups& Open(QSize size = QSize(260, 700), const Tavrel::ICoreFactories* factories = nullptr)
    {
        list = std::make_unique<PresetListWithGroups>(factories, initializer, nullptr);
        list->SetWorkspaceController(controller);
        list->resize(size);
        list->show();
        Paint();
        return *list;
    }

    QListView& View() const { return *list->findChild<QListView*>(QStringLiteral("view")); }
    QAbstractItemModel& Shown() const { return *View().model(); }

    /// Lays out and paints the view now; tiles closed on the way are gone afterwards.
    void Paint() const
    {
        QCoreApplication::processEvents();
        View().viewport()->repaint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void SelectGroup(int row) const
    {
        list->findChild<QComboBox*>(QStringLiteral("groupsComboBox"))->setCurrentIndex(row);
        Paint();
    }

    PresetWidget* Tile(int row) const
    {
        return qobject_cast<PresetWidget*>(View().indexWidget(Shown().index(row, 0)));
    }

    template <typename T = QAbstractButton>
    T& Part(int row, const char* name) const
    {
        PresetWidget* tile = Tile(row);
        if (!tile)
            throw std::runtime_error("no tile in row " + std::to_string(row));
        return *tile->findChild<T*>(QString::fromLatin1(name));
    }

    int LiveTiles() const
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return View().viewport()->findChildren<PresetWidget*>().size();
    }

    /// The photo as the drawer shows it once every render is done.
    QImage Photo() const
    {
        controller->Drawer().WaitUntilIdle();
        QCoreApplication::processEvents();
        return controller->Drawer().CurrentImage();
    }

    QTemporaryDir configDir;
    Tavrel::PhotoCore::PackageInfo packageInfo;
    std::shared_ptr<Tavrel::PhotoCore::WorkspaceController> controller;
    PresetListWithGroups::Initializer initializer;
    std::unique_ptr<PresetListWithGroups> list;
};

} // namespace PresetListHarness
