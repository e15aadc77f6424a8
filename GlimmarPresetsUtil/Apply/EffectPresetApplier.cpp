#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"

#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"
#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EmptySettings.h"
#include "Host/QtUtils/ObjectsConnector.h"
#include "Host/Effects/SettingsEffectEmpty.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Effects/SettingsPainterEffectsPackage.h"

#include <atomic>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

struct EffectPresetApplier::Impl {
    explicit Impl(PackageInfo& info) : packageInfo(info) {}

    bool intensityPainting = false;
    // Written by the lock broadcast on whichever thread sends it, read on the user-interface thread.
    std::atomic<bool> drawerLocked{false};
    bool awaitingFirstFrame = false;
    std::string packageName;
    PackageInfo& packageInfo;
    unsigned int resetIndex = NO_INDEX;
    unsigned int sourceIndex = NO_INDEX;
};

namespace {

// The painter settings of the drawer's latest mask when its own painter made it; shared, not copied.
std::shared_ptr<ISettingsPainter> FindPainterSettings(const IPhotoCoreDrawer& drawer)
{
    const MaskInfo::MaskInfoEx entry = drawer.GetMaskEntry(-1);
    if (entry.mask && entry.mask->GetPainterId() == drawer.GetPainterId())
        return entry.mask->GetPainterSettings();
    return nullptr;
}

std::shared_ptr<ISettingsPainter> FindOrCreatePainterSettings(const IPhotoCoreDrawer& drawer,
                                                              const std::string& painterClassId)
{
    if (auto settings = FindPainterSettings(drawer))
        return settings;
    return ISettingsPainter::CreatePainterSettings(painterClassId);
}

} // namespace

EffectPresetApplier::EffectPresetApplier(PackageInfo& packageInfo, QObject* parent)
    : QObject(parent), m_impl(std::make_unique<Impl>(packageInfo))
{
    ObjectsConnector::registerReceiver(ObjectsConnector::CORE_DRAWER_LOCK, this, SLOT(OnCoreDrawerLock(bool)), false);
}

EffectPresetApplier::~EffectPresetApplier()
{
    if (auto controller = GetWorkspaceController(false))
        controller->RemoveDrawerEventHandler(this);
}

void EffectPresetApplier::SetWorkspaceController(const std::weak_ptr<IWorkspaceController>& controller)
{
    IWorkspaceUser::SetWorkspaceController(controller);
    if (auto locked = controller.lock())
        locked->AddDrawerEventHandler(this);
}

void EffectPresetApplier::SetId(const std::string& id)
{
    m_impl->packageInfo.presetName = id;
}

const std::string& EffectPresetApplier::GetId() const
{
    return m_impl->packageInfo.presetName;
}

void EffectPresetApplier::SetPackageName(const std::string& packageName)
{
    m_impl->packageName = packageName;
    m_impl->packageInfo.packageName = packageName;
}

std::string EffectPresetApplier::GetPackageName() const
{
    return m_impl->packageName;
}

void EffectPresetApplier::SetPresetGroupIndex(int index)
{
    m_impl->packageInfo.presetGroupIndex = index;
}

void EffectPresetApplier::SetResetIndex(unsigned int resetIndex)
{
    m_impl->resetIndex = resetIndex;
}

void EffectPresetApplier::ApplyEffect(IItemModelPreset* preset)
{
    Impl& d = *m_impl;
    if (d.drawerLocked)
        return;

    const auto effects = preset->GetEffectInfo();
    IIntensitySetting& intensity = preset->GetIntensitySettings();
    const std::string& id = preset->GetId();
    const std::string& painterClassId = preset->GetPainterClassId();

    const auto controller = GetWorkspaceController(true);
    const auto drawer = controller->GetDrawer();

    EffectsSettings settings;
    settings.SetEffectsConst(effects);
    settings.Package().firstPaint = false;
    settings.Package().asyncPaint = preset->HasAsyncPaint();

    // Re-applying within our package replaces our latest entry; otherwise the new entry goes on top.
    const DrawerEntry latest = drawer->GetEntry(-1);
    const unsigned int candidate = latest.settings.Package().GetPackageName() == d.packageInfo.packageName
                                       ? latest.settings.Package().resetIndex
                                       : static_cast<unsigned int>(drawer->GetCurrentPosition());

    d.packageInfo.presetName = id;
    d.packageInfo.packageName = d.packageName;

    settings.Package().SetPackageName(d.packageInfo.packageName);
    settings.Package().SetPresetName(d.packageInfo.presetName);
    settings.Package().presetGroupIndex = d.packageInfo.presetGroupIndex;

    const unsigned int resetIndex = d.resetIndex != NO_INDEX ? d.resetIndex : candidate;
    if (resetIndex != NO_INDEX)
        settings.Package().resetIndex = resetIndex;

    intensity.SaveValue(settings);

    SettingsEffectMaskBlender* blender = SettingsEffectMaskBlender::Of(settings.Effects().at(0).get());
    if (!blender) {
        drawer->ApplyEffects(settings, {});
        return;
    }

    // The blender shares the preset's effect object, so the preset keeps these switches.
    blender->SetFillMask(true);
    blender->SetRenderInner(true);

    const auto painterSettings = FindOrCreatePainterSettings(*drawer, painterClassId);
    if (auto package = std::dynamic_pointer_cast<SettingsPainterEffectsPackage>(painterSettings)) {
        package->SetPackageName(d.packageInfo.packageName);
        package->SetPresetName(d.packageInfo.presetName);
        package->SetPresetGroupIndex(d.packageInfo.presetGroupIndex);
    }
    d.awaitingFirstFrame = true;

    IPhotoCoreDrawerPainter& painter = drawer->GetPainter();
    painter.SetPainterSettings(painterSettings, nullptr);
    painter.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
    painter.UpdatePaint(settings, false);
}

void EffectPresetApplier::SetIntensity(IItemModelPreset* preset)
{
    Impl& d = *m_impl;
    IIntensitySetting& intensity = preset->GetIntensitySettings();
    if (!intensity.IsEnabled())
        return;

    const auto effects = preset->GetEffectInfoInternal();
    d.packageInfo.presetName = preset->GetId();
    d.packageInfo.packageName = d.packageName;
    const std::string& painterClassId = preset->GetPainterClassId();

    const EffectsSettings settings = intensity.ApplyIntensityToEffects(effects, d.sourceIndex);

    const auto controller = GetWorkspaceController(true);
    const auto drawer = controller->GetDrawer();
    IPhotoCoreDrawerPainter& painter = drawer->GetPainter();

    if (!d.intensityPainting) {
        d.intensityPainting = true;
        const auto painterSettings = FindOrCreatePainterSettings(*drawer, painterClassId);
        if (auto package = std::dynamic_pointer_cast<SettingsPainterEffectsPackage>(painterSettings)) {
            package->SetPackageInfoSettings(d.packageInfo);
            package->SetEditLatestEntry(true);
        }
        painter.SetPainterSettings(painterSettings, nullptr);
        painter.Prepare(IPhotoCoreDrawerPainter::MAX_POS, IPhotoCoreDrawerPainter::MAX_POS);
    }
    painter.UpdatePaint(settings, false);
}

void EffectPresetApplier::IntensityChangeEnd()
{
    if (!m_impl->intensityPainting)
        return;
    const auto controller = GetWorkspaceController(true);
    controller->GetDrawer()->GetPainter().CommitPaint(IPhotoCoreDrawerPainter::MAX_POS,
                                                      IPhotoCoreDrawerPainter::MAX_POS, false);
    m_impl->intensityPainting = false;
}

void EffectPresetApplier::Confirm()
{
    const auto controller = GetWorkspaceController(true);
    // An empty entry on top keeps the next preset of this package from replacing the confirmed one.
    controller->GetDrawer()->ApplyEffect(
        EffectSettingsImpl<SettingsEffectEmpty, EmptySettings>::Create(SettingsEffectEmpty()), {});
    m_impl->packageInfo.presetName.clear();
}

void EffectPresetApplier::Reset()
{
    const auto controller = GetWorkspaceController(true);
    const auto drawer = controller->GetDrawer();
    const int position = drawer->FindPackagePosition(m_impl->packageInfo.packageName);
    if (position != -1)
        controller->GetHistory().Restore(HistoryRequest{position, false, true, ToolsId::None});
    m_impl->packageInfo.presetName.clear();
}

void EffectPresetApplier::HandleFrameInternal(const DrawerEventFrame&)
{
    const auto controller = GetWorkspaceController(true);
    m_impl->sourceIndex = controller->GetDrawer()->GetEntry(-1).settings.Package().sourceIndex;
}

void EffectPresetApplier::HandleFrameTemporaryInternal(const DrawerEventFrameTemporary&)
{
    if (!m_impl->awaitingFirstFrame)
        return;
    m_impl->awaitingFirstFrame = false;
    const auto controller = GetWorkspaceController(true);
    controller->GetDrawer()->GetPainter().CommitPaint(IPhotoCoreDrawerPainter::MAX_POS,
                                                      IPhotoCoreDrawerPainter::MAX_POS, false);
}

void EffectPresetApplier::OnCoreDrawerLock(bool locked)
{
    m_impl->drawerLocked = locked;
}

} // namespace Tavrel::Glimmar::GlimmarPresets
