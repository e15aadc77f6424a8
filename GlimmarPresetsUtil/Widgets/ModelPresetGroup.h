#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/TranslatableContext.h"
#include "Host/Types/TranslatableString.h"

#include <QAbstractListModel>
#include <QString>

#include <memory>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

class IItemModelPreset;

/// The model of the group selector and the owner of everything the preset list
/// shows: one entry per group, keyed by its selector position, each with the
/// presets it created and one ModelPreset listing them. Besides the configured
/// groups there are up to four special groups: all presets, favourites, user
/// presets ("custom") and popular presets.
///
/// Requests that concern more than one group are setData calls with an invalid
/// index. Group positions must be exactly 0..n-1: the special slots and the
/// configured groups (which follow the largest slot position) must leave no hole.
class GLIMMARPRESETSUTIL_EXPORT ModelPresetGroup : public QAbstractListModel {
    Q_OBJECT

public:
    /// One special group: its fixed name (null: the group is not wanted) and its position.
    struct GroupSlot {
        const TranslatableString* name = nullptr;
        int position = -1;
    };

    struct GroupSlots {
        const TranslatableContext* groupContext = nullptr; ///< context of the configured groups' names
        GroupSlot allSlot;
        GroupSlot favouritesSlot;
        GroupSlot customSlot;
        GroupSlot popularSlot;
    };

    /// ActivatePresetRole's request; the caller keeps both alive during the call.
    struct PresetParam {
        const std::string* id = nullptr;
        const PhotoCore::EffectsSettings* settings = nullptr;
    };

    enum Roles {
        GroupModelRole = Qt::UserRole + 1, ///< data: the group's model as QAbstractListModel*
        ResetAllRole,                      ///< setData: every preset's ResetSettingsValues()
        ActivatePresetRole,                ///< setData: mark the preset of a PresetParam applied
        ConfirmAppliedRole,                ///< setData: confirm the applied preset
        ResetAppliedRole,                  ///< setData: reset the applied preset
        CurrentGroupRole,                  ///< data/setData, any index: the current position
        CurrentGroupNameRole,              ///< data, any index: the current group's untranslated name
        CurrentGroupModelRole,             ///< data, any index: the current group's model
        FavouriteChangedRole,              ///< setData: std::pair<bool, std::string> (flag, preset id); a new
                                           ///< favourite replaces the favourites' model, announced as a
                                           ///< dataChanged of their row with GroupModelRole
        UntranslatedNameRole,              ///< data: the untranslated name
        HintRole,                          ///< data: the text shown when the group is empty
        RenamePresetRole,                  ///< setData: std::pair<QString, std::string> (name, id); false when taken
        DeletePresetRole,                  ///< setData: std::string id; removes the rows and destroys the preset
    };

    /// itemContext translates the configured presets' names; previewFolder holds their preview pictures.
    ModelPresetGroup(const GroupSlots& groupSlots, const TranslatableContext* itemContext,
                     const std::string& previewFolder, QObject* parent);
    ~ModelPresetGroup() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /// Throws std::out_of_range for a position that names no group.
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    /// Builds the groups from the built-in configuration and the user's one
    /// (user presets and favourites). Run once, before the model is shown.
    void Populate(const PresetConfig::Config& builtIn, const PresetConfig::Config& user);
    /// Saves the settings as a new user preset at the top of the custom and
    /// all-presets groups and activates it. False without a custom group or when
    /// any preset already has the name.
    bool AddUserPreset(const QString& name, const std::string& statisticsName,
                       const PhotoCore::EffectsSettings& settings, bool wrapWithBlender);
    /// Adds the favourites and one group with the user presets to config.
    void CollectUserConfig(PresetConfig::Config& config) const;
    /// dataChanged over every row of the group's model at position (negative: the current group).
    void Refresh(int position);
    /// A preset was tried: every other one loses its applied mark, whichever group lists it, and the
    /// current group is refreshed when that changed anything.
    void KeepOnlyApplied(const IItemModelPreset& applied);
    /// Every group's model drops its kept previews (ModelPreset::ForgetPreviews).
    void ForgetPreviews();

signals:
    /// The list should select the group at index.
    void activateGroup(QModelIndex index);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets

Q_DECLARE_METATYPE(Tavrel::Glimmar::GlimmarPresets::ModelPresetGroup::PresetParam)
