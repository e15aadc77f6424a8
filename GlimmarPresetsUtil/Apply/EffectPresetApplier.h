#pragma once

#include "GlimmarPresetsUtil/Apply/DrawerEventHandlerUI.h"
#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Host/Types/PackageInfo.h"
#include "Interfaces/IWorkspaceUser.h"

#include <QObject>

#include <memory>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

class IItemModelPreset;

/// Puts one preset list's presets on the open photo: sends a preset's effects,
/// stamped with the list's package, to the drawer; keeps a temporary paint open
/// while the intensity slider moves; confirms or resets the result.
///
/// The preset name of the package info marks a preset as applied and not yet
/// confirmed or reset. Operations that need the drawer throw std::logic_error
/// when the workspace controller is gone. Used on the user-interface thread only;
/// drawer events reach it there through DrawerEventHandlerUI.
class GLIMMARPRESETSUTIL_EXPORT EffectPresetApplier : public QObject,
                                                      public virtual PhotoCore::IWorkspaceUser,
                                                      public virtual DrawerEventHandlerUI {
    Q_OBJECT

public:
    static constexpr unsigned int NO_INDEX = 0xFFFFFFFFu;

    /// packageInfo is the editor's and must outlive the applier. Registers for
    /// the host's drawer-lock broadcast.
    EffectPresetApplier(PhotoCore::PackageInfo& packageInfo, QObject* parent);
    /// Unregisters from the drawer's events when the controller is still alive.
    ~EffectPresetApplier() override;

    /// Stores the link and, when the controller is alive, registers for its drawer's events.
    void SetWorkspaceController(const std::weak_ptr<PhotoCore::IWorkspaceController>& controller) override;

    /// The preset name of the package info: the applied preset's identifier.
    void SetId(const std::string& id);
    const std::string& GetId() const;

    /// Sets the applier's and the package info's package name.
    void SetPackageName(const std::string& packageName);
    std::string GetPackageName() const;

    void SetPresetGroupIndex(int index);
    /// The history position that applied presets replace from; NO_INDEX: unset.
    void SetResetIndex(unsigned int resetIndex);

    /// Sends the preset to the drawer, unless the drawer is locked. A preset
    /// wrapped in a mask blender goes through the painter and is committed on
    /// its first temporary frame. Throws std::out_of_range for a preset without effects.
    void ApplyEffect(IItemModelPreset* preset);
    /// Paints the preset at its current intensity; opens the paint on the first call.
    /// Does nothing when the preset's intensity is not enabled.
    void SetIntensity(IItemModelPreset* preset);
    /// Commits an open intensity paint; nothing otherwise.
    void IntensityChangeEnd();
    /// Sends the empty effect and clears the identifier.
    void Confirm();
    /// Returns the photo to the position before the package's latest entry, if any,
    /// and clears the identifier.
    void Reset();

protected:
    /// Takes the source index of the drawer's latest entry.
    void HandleFrameInternal(const PhotoCore::DrawerEventFrame& event) override;
    /// Commits a blender preset waiting for its first frame.
    void HandleFrameTemporaryInternal(const PhotoCore::DrawerEventFrameTemporary& event) override;

private slots:
    void OnCoreDrawerLock(bool locked);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
