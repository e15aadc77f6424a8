#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/PreviewPolicy.h"
#include "Interfaces/DrawerEntry.h"
#include "Interfaces/IPhotoCoreDrawerPainter.h"
#include "Interfaces/IVideoFrame.h"
#include "Interfaces/MaskInfo.h"

#include <map>
#include <memory>
#include <string>

namespace Tavrel::PhotoCore {

/// The photo core's drawer: the open photo and a history of entries, each an
/// EffectsSettings. Position p is the photo with the first p entries applied;
/// the current position is what the user sees.
///
/// Entries are recorded at once on the calling thread; rendering happens on the
/// drawer's own thread, which sends DrawerEventFrame when a render is done.
class IPhotoCoreDrawer {
public:
    using Parameters = std::map<std::string, int>;

    virtual ~IPhotoCoreDrawer() = default;

    /// Adds an entry (a clone of the settings): at the settings' reset index, replacing every
    /// entry from there on, or else at the current position, dropping the entries after it.
    virtual void ApplyEffects(const EffectsSettings& settings, const Parameters& parameters) = 0;
    /// The same for one effect with a default package part.
    virtual void ApplyEffect(const IEffectSettings::Ptr& effect, const Parameters& parameters) = 0;

    /// The entry at index position (-1: the latest up to the current position); a default
    /// entry when there is none.
    virtual DrawerEntry GetEntry(int position) const = 0;
    /// The position before the latest entry of that package (up to the current position), -1 if none.
    virtual int FindPackagePosition(const std::string& packageName) const = 0;
    virtual int GetCurrentPosition() const = 0;

    /// The latest mask record at or before the position (-1: the latest).
    virtual MaskInfo::MaskInfoEx GetMaskEntry(int position) const = 0;
    /// The identifier of the drawer's own painter.
    virtual std::string GetPainterId() const = 0;

    virtual IPhotoCoreDrawerPainter& GetPainter() = 0;

    /// A preview of the photo at the position (-1: the current one) with the settings on top,
    /// at the given size, drawn as the policy says.
    virtual FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size,
                                   const PreviewPolicy& policy, int position) = 0;
    /// The same from a given picture; second is an optional second input (empty: none).
    virtual FramePtr RenderPreview(const EffectsSettings& settings, const FrameSize& size,
                                   const PreviewPolicy& policy, const FramePtr& source,
                                   const FramePtr& second) = 0;
};

} // namespace Tavrel::PhotoCore
