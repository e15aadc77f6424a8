#pragma once

#include "GlimmarPresetsUtil/Apply/EffectEventTracker.h"
#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"
#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"
#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"

#include <QAbstractListModel>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

/// The presets of one group as a one-column list. The place where tile actions
/// become calls on the preset, the applier, the preview generator, the event
/// tracker and the group model. The presets are not owned; several models may
/// list the same preset.
///
/// The services are injected with setData on an invalid index (ApplierRole,
/// PreviewGeneratorRole, EventTrackerRole); requests that need a missing service
/// skip it. Statistics events carry the group model's current group name, so a
/// group must be current when a preset is applied, confirmed, reset or favoured.
/// Rendered previews are kept until the preset's preview or the generator's settings
/// change, or ForgetPreviews says the photo did.
class GLIMMARPRESETSUTIL_EXPORT ModelPreset : public QAbstractListModel {
public:
    enum Roles {
        PresetRole = Qt::UserRole,  ///< data: the IItemModelPreset*
        ApplyRole,                  ///< data: IsApply(); setData: apply the preset
        ConfirmRole,                ///< setData: confirm the applied preset
        ResetRole,                  ///< setData: reset the applied preset
        ApplierRole,                ///< setData, invalid index: inject EffectPresetApplier*
        PreviewGeneratorRole,       ///< setData, invalid index: inject EffectPreviewGenerator*
        EventTrackerRole,           ///< setData, invalid index: inject EffectEventTracker*
        IntensityEnabledRole,       ///< data: the intensity's IsEnabled()
        IntensityMinRole,           ///< data: its Min()
        IntensityMaxRole,           ///< data: its Max()
        IntensityValueRole,         ///< data: its Value()
        IntensityChangeRole,        ///< setData: a new slider value; false when unchanged
        IntensityChangeEndRole,     ///< setData, any index: commit the intensity paint
        IdRole,                     ///< data: GetId() as QString
        NameRole,                   ///< data: the translated name
        FavouriteRole,              ///< data: IsFavourite(); setData: set it
        AppliedRowRole,             ///< data, any index: row of the applied preset, rowCount() if none
        DownloadableRole,           ///< data: IsDownloadable()
        PreviewRole,                ///< data: the preview QPixmap
        PreviewSizeRole,            ///< data, any index: the generator's logical preview size
        InsertPresetRole,           ///< setData, invalid index: insert an IItemModelPreset* at row 0
        UserPresetRole,             ///< data: IsUserPreset()
        DeleteRole,                 ///< setData: ask the group model to delete the preset
        RenameRole,                 ///< setData: ask the group model to rename it; false when refused
    };

    /// groupModel is the ModelPresetGroup that made this model (not owned).
    ModelPreset(std::vector<IItemModelPreset*>&& presets, QAbstractItemModel* groupModel, QObject* parent);
    ~ModelPreset() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    /// Removes the pointers only; the presets stay alive. A count running past the end is cut there.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    /// Items are never selectable: the tiles show their own state.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Drops the kept previews: the photo under them changed. The next requests render anew.
    void ForgetPreviews();

    /// Registers the meta types that the models exchange; safe to call repeatedly.
    static void RegisterMetaTypes();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets

Q_DECLARE_METATYPE(Tavrel::Glimmar::GlimmarPresets::IItemModelPreset*)
Q_DECLARE_METATYPE(Tavrel::Glimmar::GlimmarPresets::EffectPresetApplier*)
Q_DECLARE_METATYPE(Tavrel::Glimmar::GlimmarPresets::EffectPreviewGenerator*)
Q_DECLARE_METATYPE(Tavrel::Glimmar::GlimmarPresets::EffectEventTracker*)
// The group model's requests carry identifiers as standard strings; a header the
// library does not install, so that an editor may declare the type itself.
Q_DECLARE_METATYPE(std::string)
