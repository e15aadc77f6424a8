#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"

#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "GlimmarPresetsUtil/Widgets/PreviewCache.h"
#include "Interfaces/IStatisticsEventHandler.h"

#include <QPixmap>
#include <QSize>

#include <algorithm>
#include <map>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::IStatisticsEventHandler;

struct ModelPreset::Impl {
    explicit Impl(ModelPreset& owner) : q(owner) {}

    bool SetModelData(int role, const QVariant& value);
    bool SetPresetData(const QModelIndex& index, const QVariant& value, int role);
    void TrackEvent(const IItemModelPreset& preset, const std::string& name, bool userStyle) const;

    ModelPreset& q;
    std::vector<IItemModelPreset*> presets;
    QAbstractItemModel* groupModel = nullptr;
    EffectPresetApplier* applier = nullptr;
    EffectPreviewGenerator* previewGenerator = nullptr;
    EffectEventTracker* eventTracker = nullptr;
    PreviewCache previews;
};

void ModelPreset::RegisterMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<IItemModelPreset*>("Tavrel::Glimmar::GlimmarPresets::IItemModelPreset*");
        qRegisterMetaType<EffectPresetApplier*>("Tavrel::Glimmar::GlimmarPresets::EffectPresetApplier*");
        qRegisterMetaType<EffectPreviewGenerator*>("Tavrel::Glimmar::GlimmarPresets::EffectPreviewGenerator*");
        qRegisterMetaType<EffectEventTracker*>("Tavrel::Glimmar::GlimmarPresets::EffectEventTracker*");
        qRegisterMetaType<std::string>("std::string");
        qRegisterMetaType<std::pair<bool, std::string>>();
        qRegisterMetaType<std::pair<QString, std::string>>();
        qRegisterMetaType<QAbstractListModel*>();
        return true;
    }();
    Q_UNUSED(registered);
}

ModelPreset::ModelPreset(std::vector<IItemModelPreset*>&& presets, QAbstractItemModel* groupModel, QObject* parent)
    : QAbstractListModel(parent), m_impl(std::make_unique<Impl>(*this))
{
    RegisterMetaTypes();
    m_impl->presets = std::move(presets);
    m_impl->groupModel = groupModel;
}

ModelPreset::~ModelPreset() = default;

int ModelPreset::rowCount(const QModelIndex& parent) const
{
    // A list has no children below its rows; item views and the model tester rely on that.
    return parent.isValid() ? 0 : static_cast<int>(m_impl->presets.size());
}

Qt::ItemFlags ModelPreset::flags(const QModelIndex& index) const
{
    return QAbstractListModel::flags(index) & ~Qt::ItemIsSelectable;
}

QVariant ModelPreset::data(const QModelIndex& index, int role) const
{
    const int count = rowCount();
    if (index.row() >= count || role < PresetRole || role > UserPresetRole)
        return QVariant();

    switch (role) {
    case AppliedRowRole: {
        if (!m_impl->applier)
            return count;
        const std::string& id = m_impl->applier->GetId();
        const auto found = std::find_if(m_impl->presets.begin(), m_impl->presets.end(),
                                        [&id](const IItemModelPreset* preset) { return preset->GetId() == id; });
        return static_cast<int>(found - m_impl->presets.begin());
    }
    case PreviewSizeRole:
        return m_impl->previewGenerator ? QVariant(m_impl->previewGenerator->GetPreviewSize()) : QVariant();
    default:
        break;
    }

    if (!index.isValid())
        return QVariant();
    IItemModelPreset* preset = m_impl->presets[index.row()];

    switch (role) {
    case PresetRole:
        return QVariant::fromValue(preset);
    case ApplyRole:
        return preset->IsApply();
    case IntensityEnabledRole:
        return preset->GetIntensitySettings().IsEnabled();
    case IntensityMinRole:
        return preset->GetIntensitySettings().Min();
    case IntensityMaxRole:
        return preset->GetIntensitySettings().Max();
    case IntensityValueRole:
        return preset->GetIntensitySettings().Value();
    case IdRole:
        return QString::fromStdString(preset->GetId());
    case NameRole:
        return preset->GetName().getTranslated();
    case FavouriteRole:
        return preset->IsFavourite();
    case DownloadableRole:
        return preset->IsDownloadable();
    case PreviewRole:
        return m_impl->previewGenerator ? QVariant(m_impl->previews.Get(*preset, *m_impl->previewGenerator))
                                        : QVariant();
    case UserPresetRole:
        return preset->IsUserPreset();
    default:
        return QVariant();
    }
}

bool ModelPreset::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return m_impl->SetModelData(role, value);
    if (index.row() >= rowCount() || role < ApplyRole || role > RenameRole)
        return false;
    return m_impl->SetPresetData(index, value, role);
}

bool ModelPreset::removeRows(int row, int count, const QModelIndex& parent)
{
    const int rows = rowCount(parent);
    if (row < 0 || row >= rows || count < 1)
        return false;
    const int last = std::min(row + count, rows) - 1;
    beginRemoveRows(parent, row, last);
    for (int removed = row; removed <= last; ++removed)
        m_impl->previews.Forget(m_impl->presets[removed]);
    m_impl->presets.erase(m_impl->presets.begin() + row, m_impl->presets.begin() + last + 1);
    endRemoveRows();
    return true;
}

void ModelPreset::ForgetPreviews()
{
    m_impl->previews.Clear();
}

bool ModelPreset::Impl::SetModelData(int role, const QVariant& value)
{
    switch (role) {
    case ApplierRole:
        applier = qobject_cast<EffectPresetApplier*>(value.value<QObject*>());
        return true;
    case PreviewGeneratorRole:
        previewGenerator = qobject_cast<EffectPreviewGenerator*>(value.value<QObject*>());
        return true;
    case EventTrackerRole:
        eventTracker = value.value<EffectEventTracker*>();
        return true;
    case IntensityChangeEndRole:
        if (applier)
            applier->IntensityChangeEnd();
        return true;
    case InsertPresetRole:
        q.beginInsertRows(QModelIndex(), 0, 0);
        presets.insert(presets.begin(), value.value<IItemModelPreset*>());
        q.endInsertRows();
        return true;
    default:
        return false;
    }
}

bool ModelPreset::Impl::SetPresetData(const QModelIndex& index, const QVariant& value, int role)
{
    IItemModelPreset* preset = presets[index.row()];

    switch (role) {
    case ApplyRole:
        if (applier)
            applier->ApplyEffect(preset);
        preset->SetApply(true);
        emit q.dataChanged(index, index);
        // The preset tried before, maybe in another group, is no longer applied.
        if (auto* groups = qobject_cast<ModelPresetGroup*>(groupModel))
            groups->KeepOnlyApplied(*preset);
        TrackEvent(*preset, preset->GetStatisticsName() + IStatisticsEventHandler::SUFFIX_CLICK, true);
        return true;
    case ConfirmRole:
        if (applier)
            applier->Confirm();
        preset->SetApply(false);
        emit q.dataChanged(index, index);
        TrackEvent(*preset, preset->GetStatisticsName() + IStatisticsEventHandler::SUFFIX_APPLIED, true);
        return true;
    case ResetRole:
        if (applier)
            applier->Reset();
        preset->SetApply(false);
        emit q.dataChanged(index, index);
        TrackEvent(*preset, preset->GetStatisticsName() + IStatisticsEventHandler::SUFFIX_RESETED, true);
        return true;
    case IntensityChangeRole: {
        const int intensity = value.toInt();
        if (intensity == preset->GetIntensitySettings().Value())
            return false;
        preset->SetIntensity(intensity);
        if (applier)
            applier->SetIntensity(preset);
        return true;
    }
    case IntensityChangeEndRole:
        if (applier)
            applier->IntensityChangeEnd();
        return true;
    case FavouriteRole: {
        const bool favourite = value.toBool();
        preset->SetFavourite(favourite);
        groupModel->setData(QModelIndex(),
                            QVariant::fromValue(std::pair<bool, std::string>(favourite, preset->GetId())),
                            ModelPresetGroup::FavouriteChangedRole);
        TrackEvent(*preset,
                   favourite ? IStatisticsEventHandler::NAME_EFFECT_FAVORITES_ADDED
                             : IStatisticsEventHandler::NAME_EFFECT_FAVORITES_REMOVED,
                   false);
        return true;
    }
    case DeleteRole:
        // The group model removes the rows and destroys the preset: nothing of it may be used after this.
        groupModel->setData(QModelIndex(), QVariant::fromValue(std::string(preset->GetId())),
                            ModelPresetGroup::DeletePresetRole);
        return true;
    case RenameRole: {
        const QVariant request =
            QVariant::fromValue(std::pair<QString, std::string>(value.toString(), preset->GetId()));
        if (!groupModel->setData(QModelIndex(), request, ModelPresetGroup::RenamePresetRole))
            return false;
        emit q.dataChanged(index, index);
        return true;
    }
    default:
        return false;
    }
}

void ModelPreset::Impl::TrackEvent(const IItemModelPreset& preset, const std::string& name, bool userStyle) const
{
    if (!eventTracker)
        return;
    const std::string group =
        groupModel->data(QModelIndex(), ModelPresetGroup::CurrentGroupNameRole).toString().toStdString();
    const std::string effect = userStyle && preset.IsUserPreset() ? IStatisticsEventHandler::KEY_USER_STYLE
                                                                  : preset.GetName().getUntranslated();
    eventTracker->TrackEvent(name, {{IStatisticsEventHandler::KEY_EFFECT_GROUP, group},
                                    {IStatisticsEventHandler::KEY_EFFECT_NAME, effect}});
}

} // namespace Tavrel::Glimmar::GlimmarPresets
