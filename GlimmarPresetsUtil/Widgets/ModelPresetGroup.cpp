#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"

#include "GlimmarPresetsUtil/Presets/ItemModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "Host/Effects/SettingsPainterOneInputEffectStub.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>
#include <list>
#include <map>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PresetConfig;

namespace {

struct GroupEntry {
    // A special group's fixed name, or a configured group's context and text.
    const TranslatableString* fixedName = nullptr;
    const TranslatableContext* context = nullptr;
    std::string text;
    Group config;
    std::unique_ptr<ModelPreset> model;
    std::list<std::unique_ptr<IItemModelPreset>> presets;
    QString hint;

    TranslatableString Name() const
    {
        if (fixedName)
            return *fixedName;
        if (context)
            return TranslatableString(*context, text);
        return TranslatableString();
    }
};

// The first row whose id starts with the given one, case-insensitively: how the lists find a preset's row.
int FindRowById(const ModelPreset& model, const std::string& id)
{
    const QModelIndexList found = model.match(model.index(0), ModelPreset::IdRole, QString::fromStdString(id), 1,
                                              Qt::MatchStartsWith | Qt::MatchWrap);
    return found.isEmpty() ? -1 : found.front().row();
}

} // namespace

struct ModelPresetGroup::Impl {
    ModelPresetGroup& q;
    std::map<int, GroupEntry> entries;
    int current = -1;
    GroupSlots groupSlots;
    std::string previewFolder;
    const TranslatableContext* itemContext = nullptr;
    GroupEntry* favourites = nullptr;
    GroupEntry* custom = nullptr;
    GroupEntry* all = nullptr;
    GroupEntry* popular = nullptr;
    int nextKey = 0;

    explicit Impl(ModelPresetGroup& owner) : q(owner) {}

    void ForEachPreset(const std::function<void(IItemModelPreset&)>& visit) const
    {
        for (const auto& [position, entry] : entries)
            for (const auto& preset : entry.presets)
                visit(*preset);
    }

    IItemModelPreset* FindPreset(const std::function<bool(const IItemModelPreset&)>& match) const
    {
        for (const auto& [position, entry] : entries)
            for (const auto& preset : entry.presets)
                if (match(*preset))
                    return preset.get();
        return nullptr;
    }

    std::vector<IItemModelPreset*> CollectPresets(const std::function<bool(const IItemModelPreset&)>& match) const
    {
        std::vector<IItemModelPreset*> found;
        ForEachPreset([&](IItemModelPreset& preset) {
            if (match(preset))
                found.push_back(&preset);
        });
        return found;
    }

    bool NameTaken(const std::string& name) const
    {
        return FindPreset([&name](const IItemModelPreset& preset) {
                   return preset.GetName().getUntranslated() == name;
               }) != nullptr;
    }

    void SetModel(GroupEntry& entry, std::vector<IItemModelPreset*>&& presets)
    {
        // The old model may be the one asking for the change (a favourite set on a tile of its own
        // group): it is deleted once control has left it.
        if (entry.model)
            entry.model.release()->deleteLater();
        entry.model = std::make_unique<ModelPreset>(std::move(presets), &q, nullptr);
    }

    GroupEntry& MakeSpecialGroup(const GroupSlot& slot)
    {
        GroupEntry& entry = entries[slot.position];
        entry.fixedName = slot.name;
        entry.context = nullptr;
        entry.text.clear();
        return entry;
    }

    void AddGroup(const Group& group, bool user)
    {
        if (!group.m_enabled)
            return;
        GroupEntry* entry = nullptr;
        if (user) {
            if (!custom)
                return;
            entry = custom;
            entry->config.m_items = group.m_items;
        } else {
            entry = &entries[nextKey++];
            entry->config = group;
            entry->context = groupSlots.groupContext;
            entry->text = group.m_name;
        }

        std::vector<IItemModelPreset*> made;
        for (Item& item : entry->config.m_items) {
            if (item.m_statisticsName.empty())
                item.m_statisticsName = group.m_statisticsName;
            if (item.m_painterClassId.empty())
                item.m_painterClassId = group.m_painterClassId;
            if (item.m_intensity.m_type == IntensityType::Invalid)
                item.m_intensity = group.m_intensity;
            entry->presets.push_back(std::make_unique<ItemModelPreset>(item, itemContext, previewFolder));
            made.push_back(entry->presets.back().get());
        }
        SetModel(*entry, std::move(made));
    }

    void Activate(const std::string& id, const PhotoCore::EffectsSettings& settings)
    {
        ForEachPreset([&id](IItemModelPreset& preset) {
            if (preset.GetId() != id)
                preset.SetApply(false);
        });

        const int groupIndex = settings.Package().presetGroupIndex;
        const int target = groupIndex == -1 ? current : groupIndex;
        const auto found = entries.find(target);
        if (found == entries.end())
            return;
        ModelPreset& model = *found->second.model;

        const QString wanted = QString::fromStdString(id);
        int row = 0;
        while (row < model.rowCount() && model.index(row).data(ModelPreset::IdRole).toString() != wanted)
            ++row;
        if (row == model.rowCount()) {
            q.Refresh(target);
            return;
        }

        IItemModelPreset* preset = model.index(row).data(ModelPreset::PresetRole).value<IItemModelPreset*>();
        preset->Load(settings.EffectsConst());
        preset->LoadIntensity(settings);
        preset->SetApply(true);
        emit q.activateGroup(q.index(target));
        // The list's handler may have made the target current; refresh it only when it is shown.
        if (groupIndex == current)
            q.Refresh(target);
    }

    // The first model that finds the applied preset (when given, only the one of that id) confirms
    // or resets it; the applier then forgets it. That model tells only its own view, so the shown
    // group, which may list the preset too, is filled again when another model did it.
    void ForwardToAppliedRow(int presetRole, const std::string* id = nullptr)
    {
        bool elsewhere = false;
        for (auto& [position, entry] : entries) {
            ModelPreset& model = *entry.model;
            if (model.rowCount() == 0)
                continue;
            const QModelIndex applied = model.index(model.data(QModelIndex(), ModelPreset::AppliedRowRole).toInt());
            if (!applied.isValid() || (id && applied.data(ModelPreset::IdRole).toString().toStdString() != *id))
                continue;
            model.setData(applied, QVariant(), presetRole);
            elsewhere = elsewhere || position != current;
        }
        if (elsewhere)
            q.Refresh(current);
    }

    void FavouriteChanged(bool favourite, const std::string& id)
    {
        if (!favourites)
            return;
        if (favourite) {
            SetModel(*favourites, CollectPresets([](const IItemModelPreset& preset) { return preset.IsFavourite(); }));
            // Views showing the favourites hold the old model: tell them where the new one is.
            const QModelIndex row = q.index(groupSlots.favouritesSlot.position);
            emit q.dataChanged(row, row, {GroupModelRole});
            return;
        }
        const int row = FindRowById(*favourites->model, id);
        if (row >= 0)
            favourites->model->removeRows(row, 1);
    }

    bool Rename(const QString& name, const std::string& id)
    {
        const std::string utf8 = name.toStdString();
        if (NameTaken(utf8))
            return false;
        IItemModelPreset* preset = FindPreset([&id](const IItemModelPreset& p) { return p.GetId() == id; });
        if (!preset)
            return false;
        preset->SetName(utf8);
        return true;
    }

    void Delete(const std::string& id)
    {
        // A preset being tried goes off the photo before it goes.
        ForwardToAppliedRow(ModelPreset::ResetRole, &id);
        for (GroupEntry* entry : {favourites, custom, all}) {
            if (!entry)
                continue;
            const int row = FindRowById(*entry->model, id);
            if (row >= 0)
                entry->model->removeRows(row, 1);
        }
        for (auto& [position, entry] : entries) {
            const auto found = std::find_if(entry.presets.begin(), entry.presets.end(),
                                            [&id](const auto& preset) { return preset->GetId() == id; });
            if (found == entry.presets.end())
                continue;
            const IItemModelPreset* doomed = found->get();
            entry.presets.remove_if([doomed](const auto& preset) { return preset.get() == doomed; });
            return;
        }
    }
};

ModelPresetGroup::ModelPresetGroup(const GroupSlots& groupSlots, const TranslatableContext* itemContext,
                                   const std::string& previewFolder, QObject* parent)
    : QAbstractListModel(parent), m_impl(std::make_unique<Impl>(*this))
{
    ModelPreset::RegisterMetaTypes();
    qRegisterMetaType<PresetParam>("Tavrel::Glimmar::GlimmarPresets::ModelPresetGroup::PresetParam");
    m_impl->groupSlots = groupSlots;
    m_impl->itemContext = itemContext;
    m_impl->previewFolder = previewFolder;
    m_impl->nextKey = std::max({groupSlots.allSlot.position, groupSlots.favouritesSlot.position,
                                groupSlots.customSlot.position, groupSlots.popularSlot.position}) +
                      1;
}

ModelPresetGroup::~ModelPresetGroup() = default;

int ModelPresetGroup::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_impl->entries.size());
}

QVariant ModelPresetGroup::data(const QModelIndex& index, int role) const
{
    const auto& entries = m_impl->entries;
    switch (role) {
    case CurrentGroupRole:
        return m_impl->current;
    case CurrentGroupNameRole:
        return QString::fromStdString(entries.at(m_impl->current).Name().getUntranslated());
    case CurrentGroupModelRole:
        return QVariant::fromValue<QAbstractListModel*>(entries.at(m_impl->current).model.get());
    default:
        break;
    }

    if (!index.isValid())
        return QVariant();
    const GroupEntry& entry = entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return entry.Name().getTranslated();
    case GroupModelRole:
        return QVariant::fromValue<QAbstractListModel*>(entry.model.get());
    case UntranslatedNameRole:
        return QString::fromStdString(entry.Name().getUntranslated());
    case HintRole:
        return entry.hint;
    default:
        return QVariant();
    }
}

bool ModelPresetGroup::setData(const QModelIndex&, const QVariant& value, int role)
{
    Impl& d = *m_impl;
    switch (role) {
    case ResetAllRole:
        d.ForEachPreset([](IItemModelPreset& preset) { preset.ResetSettingsValues(); });
        return true;
    case ActivatePresetRole: {
        const auto param = value.value<PresetParam>();
        d.Activate(*param.id, *param.settings);
        return true;
    }
    case ConfirmAppliedRole:
        d.ForwardToAppliedRow(ModelPreset::ConfirmRole);
        return true;
    case ResetAppliedRole:
        d.ForwardToAppliedRow(ModelPreset::ResetRole);
        return true;
    case CurrentGroupRole:
        d.current = value.toInt();
        return true;
    case FavouriteChangedRole: {
        const auto request = value.value<std::pair<bool, std::string>>();
        d.FavouriteChanged(request.first, request.second);
        return true;
    }
    case RenamePresetRole: {
        const auto request = value.value<std::pair<QString, std::string>>();
        return d.Rename(request.first, request.second);
    }
    case DeletePresetRole:
        d.Delete(value.value<std::string>());
        return true;
    default:
        return false;
    }
}

void ModelPresetGroup::Populate(const Config& builtIn, const Config& user)
{
    Impl& d = *m_impl;
    const GroupSlots& groupSlots = d.groupSlots;
    beginResetModel();
    for (const Group& group : builtIn.m_groups)
        d.AddGroup(group, false);

    if (groupSlots.customSlot.name) {
        GroupEntry& entry = d.MakeSpecialGroup(groupSlots.customSlot);
        entry.hint = QCoreApplication::translate("tools_adjustments",
                                                 "To add new user preset, click add preset button in manual mode");
        entry.config.m_painterClassId = PhotoCore::SettingsPainterOneInputEffectStub::CLASS_ID;
        entry.config.m_intensity.m_type = IntensityType::CustomAuto;
        // Disabled user groups add no model, so the group starts with an empty one.
        d.SetModel(entry, {});
        d.custom = &entry;
    }

    for (const Group& group : user.m_groups)
        d.AddGroup(group, true);

    if (groupSlots.favouritesSlot.name) {
        auto favourite = d.CollectPresets(
            [&user](const IItemModelPreset& preset) { return user.m_favorites.count(preset.GetId()) > 0; });
        for (IItemModelPreset* preset : favourite)
            preset->SetFavourite(true);
        GroupEntry& entry = d.MakeSpecialGroup(groupSlots.favouritesSlot);
        entry.hint = QCoreApplication::translate(
            "tools_effects",
            "To add an effect to your favorites, click the heart icon to the right of the effect's name");
        d.SetModel(entry, std::move(favourite));
        d.favourites = &entry;
    }

    if (groupSlots.popularSlot.name) {
        auto popular = d.CollectPresets([](const IItemModelPreset& preset) { return preset.IsPopular(); });
        GroupEntry& entry = d.MakeSpecialGroup(groupSlots.popularSlot);
        d.SetModel(entry, std::move(popular));
        d.popular = &entry;
    }

    if (groupSlots.allSlot.name) {
        auto every = d.CollectPresets([](const IItemModelPreset&) { return true; });
        GroupEntry& entry = d.MakeSpecialGroup(groupSlots.allSlot);
        d.SetModel(entry, std::move(every));
        d.all = &entry;
    }
    endResetModel();
}

bool ModelPresetGroup::AddUserPreset(const QString& name, const std::string& statisticsName,
                                     const PhotoCore::EffectsSettings& settings, bool wrapWithBlender)
{
    Impl& d = *m_impl;
    const std::string utf8 = name.toStdString();
    if (!d.custom || d.NameTaken(utf8))
        return false;

    CommonSettings common;
    common.m_statisticsName = statisticsName;
    common.m_painterClassId = d.custom->config.m_painterClassId;
    common.m_intensity = d.custom->config.m_intensity;

    d.custom->presets.push_back(
        std::make_unique<ItemModelPreset>(utf8, d.itemContext, common, settings, wrapWithBlender));
    IItemModelPreset* preset = d.custom->presets.back().get();

    const QVariant insert = QVariant::fromValue(preset);
    d.custom->model->setData(QModelIndex(), insert, ModelPreset::InsertPresetRole);
    if (d.all)
        d.all->model->setData(QModelIndex(), insert, ModelPreset::InsertPresetRole);

    d.Activate(preset->GetId(), settings);
    return true;
}

void ModelPresetGroup::CollectUserConfig(Config& config) const
{
    const Impl& d = *m_impl;
    if (d.groupSlots.favouritesSlot.name) {
        d.ForEachPreset([&config](IItemModelPreset& preset) {
            if (preset.IsFavourite())
                config.m_favorites.insert(preset.GetId());
        });
    }
    if (d.custom) {
        Group group;
        for (const auto& preset : d.custom->presets) {
            Item item;
            preset->Serialize(item);
            group.m_items.push_back(std::move(item));
        }
        config.m_groups.push_back(std::move(group));
    }
}

void ModelPresetGroup::KeepOnlyApplied(const IItemModelPreset& applied)
{
    bool changed = false;
    m_impl->ForEachPreset([&applied, &changed](IItemModelPreset& preset) {
        if (&preset != &applied && preset.IsApply()) {
            preset.SetApply(false);
            changed = true;
        }
    });
    if (changed)
        Refresh(-1);
}

void ModelPresetGroup::Refresh(int position)
{
    const auto found = m_impl->entries.find(position < 0 ? m_impl->current : position);
    if (found == m_impl->entries.end())
        return;
    ModelPreset& model = *found->second.model;
    // Nothing to repaint in an empty list, and an invalid index is no valid dataChanged range.
    if (model.rowCount() == 0)
        return;
    emit model.dataChanged(model.index(0), model.index(model.rowCount() - 1));
}

void ModelPresetGroup::ForgetPreviews()
{
    for (auto& [position, entry] : m_impl->entries)
        entry.model->ForgetPreviews();
}

} // namespace Tavrel::Glimmar::GlimmarPresets
