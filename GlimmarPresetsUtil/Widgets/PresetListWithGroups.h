#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Widgets/ModelPresetGroup.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/PackageInfo.h"
#include "Host/Types/TranslatableContext.h"
#include "Host/Types/TranslatableString.h"
#include "Interfaces/IWorkspaceUser.h"

#include <QFrame>

#include <memory>
#include <string>
#include <tuple>

namespace Tavrel {
class ICoreFactories;
}

namespace Tavrel::Glimmar::GlimmarPresets {

/// What the editor embeds in a tool panel: a group selector over a list of
/// preset tiles. Reads the built-in and the user's preset configuration when
/// constructed and writes the user's one (user presets, favourites) back when
/// destroyed. The tile geometry comes from the application's style sheet
/// (PresetPropertyHelper).
///
/// Usable before SetWorkspaceController, but applying, previews and usage
/// events need the controller.
class GLIMMARPRESETSUTIL_EXPORT PresetListWithGroups : public QFrame, public virtual PhotoCore::IWorkspaceUser {
    Q_OBJECT

public:
    /// Names for the special group slots; the editor points an initializer's slots at the ones it wants.
    static const TranslatableString ALL_PRESETS;
    static const TranslatableString CUSTOM;
    static const TranslatableString ALL_EFFECTS;
    static const TranslatableString FAVOURITE_EFFECTS;
    /// The list opens on the first group whose untranslated name starts with this text.
    static const TranslatableString POPULAR_EFFECTS;

    struct Initializer {
        std::string resourceModule; ///< first part of the built-in configuration's resource path
        std::string previewFolder;  ///< folder of the configured presets' preview pictures
        std::string configName;     ///< second part of the built-in configuration's resource path
        std::string userConfigPath; ///< name of the user configuration; empty: none is read or written
        std::string packageName;    ///< the applier's package name
        ModelPresetGroup::GroupSlots groupSlots;
        const TranslatableContext* itemContext = nullptr; ///< context of the configured presets' names
        PhotoCore::PackageInfo* packageInfo = nullptr;    ///< the editor's record; must outlive the list
    };

    /// Throws what reading the built-in configuration throws.
    PresetListWithGroups(const ICoreFactories* coreFactories, const Initializer& initializer, QWidget* parent);
    PresetListWithGroups(const std::tuple<const ICoreFactories*, const Initializer&>& arguments, QWidget* parent);
    /// Writes the user configuration.
    ~PresetListWithGroups() override;

    /// Passes the controller on to the applier, the preview generator and the event tracker.
    void SetWorkspaceController(const std::weak_ptr<PhotoCore::IWorkspaceController>& controller) override;

    /// Marks the preset that produced the drawer's latest entry as applied, or none.
    /// Throws std::logic_error without a workspace controller.
    void ActivateCurrentPreset();
    /// Confirms the applied preset.
    void ApplyCurrentPreset();
    /// Resets the applied preset.
    void DiscardCurrentPreset();
    /// Returns every slider to its preset's value; no preset stays applied.
    void ResetAll();
    /// True while a preset is applied and neither confirmed nor reset.
    bool HasChanges() const;
    /// Saves the settings as a user preset at the top of the custom and all-presets
    /// groups and selects the first group. False when the name is taken or there
    /// is no custom group.
    bool AddUserPreset(const QString& name, const std::string& statisticsName,
                       const PhotoCore::EffectsSettings& settings, bool wrapWithBlender);

    /// The group selector, for the editor to place elsewhere.
    QWidget* GetGroupsCombobox() const;
    void ScrollToTop();
    /// Fills every tile of the shown group again, with previews rendered anew in every
    /// group. The editor calls it when the photo under the previews changed: the list
    /// does not watch the drawer's history for that.
    void Update();

signals:
    void heightChanged();

protected:
    /// Up and Down move the focus from tile to tile.
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OnCurrentGroupChange(int row);

private:
    /// The tile that holds widget, or null.
    QWidget* TileOf(QWidget* widget) const;
    bool MoveFocus(int rows);
    void BuildForm(const ICoreFactories* coreFactories);
    void ShowGroup(int row, bool replaceModel);
    void ShowPageFor(const QAbstractItemModel* model);
    void OnGroupDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles);
    void ActivatePreset(const std::string& id, const PhotoCore::EffectsSettings& settings);

    struct Form;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
