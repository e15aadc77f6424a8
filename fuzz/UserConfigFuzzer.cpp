// A user configuration file through the whole preset list: stored, read with a small built-in
// configuration (configs/, cut from the demo's looks), turned into groups, presets and their
// models, shown, collected and written back. What is written must come back unchanged in the
// next session.

#include "FuzzInput.h"

#include "GlimmarPresetsUtil/Settings/PresetConfigTree.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"
#include "Host/Types/BaseConfig.h"

#include <glog/logging.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <exception>
#include <memory>

using namespace Tavrel::Glimmar::GlimmarPresets;
using Tavrel::PropertyTree;
using Tavrel::PhotoCore::PackageInfo;
using Tavrel::TranslatableContext;
using Tavrel::PhotoUtil::BaseConfig;
using Tester = QAbstractItemModelTester;

namespace {

constexpr TranslatableContext groupContext("fuzz.groups");
constexpr TranslatableContext itemContext("fuzz.presets");
const std::string userName = "user";

// The demo's looks panel: every special group, popular first.
const ModelPresetGroup::GroupSlots groupSlots{&groupContext,
                                         {&PresetListWithGroups::ALL_PRESETS, 1},
                                         {&PresetListWithGroups::FAVOURITE_EFFECTS, 2},
                                         {&PresetListWithGroups::CUSTOM, 3},
                                         {&PresetListWithGroups::POPULAR_EFFECTS, 0}};

QTemporaryDir* storage = nullptr;

void Quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Opens the list on the stored user configuration and reads its models as its selector and
// view do; the user configuration it collects, or nothing when a preset cannot be made. The
// list writes it back as it closes.
std::unique_ptr<PresetConfig::Config> Session()
{
    PackageInfo packageInfo;
    PresetListWithGroups::Initializer initializer;
    initializer.resourceModule = "UserConfigFuzzer";
    initializer.configName = "builtin";
    initializer.userConfigPath = userName;
    // No pictures there: decoding them would take most of the time.
    initializer.previewFolder = storage->filePath("previews").toStdString();
    initializer.groupSlots = groupSlots;
    initializer.itemContext = &itemContext;
    initializer.packageInfo = &packageInfo;
    std::unique_ptr<PresetListWithGroups> list;
    try {
        list = std::make_unique<PresetListWithGroups>(nullptr, initializer, nullptr);
    } catch (const std::exception&) {
        // A preset whose intensity names an effect it does not have refuses to be made.
        return nullptr;
    }
    auto& groups = dynamic_cast<ModelPresetGroup&>(*static_cast<QComboBox*>(list->GetGroupsCombobox())->model());
    new Tester(&groups, Tester::FailureReportingMode::Fatal, &groups);
    for (int position = 0; position < groups.rowCount(); ++position) {
        const QModelIndex group = groups.index(position);
        group.data(Qt::DisplayRole);
        group.data(ModelPresetGroup::HintRole);
        auto* presets = group.data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
        Tester tester(presets, Tester::FailureReportingMode::Fatal);
        for (int row = 0; row < presets->rowCount(); ++row) {
            const QModelIndex preset = presets->index(row);
            for (const int role : {int(Qt::DisplayRole), int(ModelPreset::NameRole), int(ModelPreset::IdRole),
                                   int(ModelPreset::FavouriteRole), int(ModelPreset::IntensityEnabledRole),
                                   int(ModelPreset::IntensityMinRole), int(ModelPreset::IntensityMaxRole),
                                   int(ModelPreset::IntensityValueRole), int(ModelPreset::DownloadableRole),
                                   int(ModelPreset::UserPresetRole)})
                preset.data(role);
        }
    }
    auto collected = std::make_unique<PresetConfig::Config>();
    groups.CollectUserConfig(*collected);
    list.reset();
    // Replaced models are deleted later, as the editor's event loop would.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return collected;
}

PropertyTree TreeOf(const PresetConfig::Config& config)
{
    PropertyTree tree;
    PresetConfig::WriteConfig(config, tree);
    return tree;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("GLIMMAR_CONFIG_DIR", GLIMMAR_FUZZ_CONFIG_DIR);
    static int argc = 1;
    static char name[] = "UserConfigFuzzer";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    qInstallMessageHandler(Quiet);
    // Damaged files and refused presets are logged on most inputs.
    FLAGS_minloglevel = google::GLOG_ERROR;
    storage = new QTemporaryDir();
    if (!storage->isValid())
        FuzzInput::Fail("no temporary folder for the user configuration");
    BaseConfig::SetStorageFolder(storage->path());
    // Qt and the font libraries set themselves up on first use and keep that for good; done
    // here, it is not taken for a leak of the first input.
    Session();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QDir folder(storage->path());
    folder.removeRecursively();
    folder.mkpath(QStringLiteral("."));
    {
        QFile file(folder.filePath(QString::fromStdString(userName) + QStringLiteral(".json")));
        if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            FuzzInput::Fail("cannot store the user configuration");
    }

    const std::unique_ptr<PresetConfig::Config> first = Session();
    if (!first)
        return 0;
    const PropertyTree stored = BaseConfig().ReadOptional(userName);
    if (stored != TreeOf(*first))
        FuzzInput::Fail("the stored user configuration differs from the collected one");
    const std::unique_ptr<PresetConfig::Config> second = Session();
    if (!second)
        FuzzInput::Fail("a written user configuration cannot be read back");
    if (TreeOf(*second) != stored)
        FuzzInput::Fail("user presets or favourites change from one session to the next");
    return 0;
}
