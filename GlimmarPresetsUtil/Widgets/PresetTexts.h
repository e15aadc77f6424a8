#pragma once

#include "Host/Types/TranslatableContext.h"
#include "Host/Types/TranslatableString.h"

namespace Tavrel::Glimmar::GlimmarPresets {

/// What a preset tile says, its menu and the dialogs it opens included, under the
/// contexts the editor's translations use.
struct PresetTexts {
    static constexpr TranslatableContext TOOLS_TEXT{"tools_text"};
    static constexpr TranslatableContext PRESET_WIDGET{"EffectPresetWidget"};
    static constexpr TranslatableContext ADJUSTMENTS_AUTO{"editor.adjustmentsTool.auto"};
    static constexpr TranslatableContext ADJUSTMENTS_MANUAL{"editor.adjustmentsTool.manual"};
    static constexpr TranslatableContext EFFECTS_PRESETS{"tools_effects_presets"};
    static constexpr TranslatableContext DOWNLOADABLE_BUTTON{"Tavrel::Glimmar::DownloadableButton"};

    static constexpr TranslatableString ADD_TO_FAVORITE{TOOLS_TEXT, "Add to Favorite"};
    static constexpr TranslatableString REMOVE_FROM_FAVORITES{TOOLS_TEXT, "Remove from favorites"};
    static constexpr TranslatableString ADD_EFFECT_TO_FAVOURITE{PRESET_WIDGET, "Add effect to favourite"};
    static constexpr TranslatableString APPLY_EFFECT{PRESET_WIDGET, "Apply effect"};
    static constexpr TranslatableString CANCEL_EFFECT{PRESET_WIDGET, "Cancel effect"};
    static constexpr TranslatableString RENAME_ENTRY{ADJUSTMENTS_AUTO, "Rename"};
    static constexpr TranslatableString DELETE_ENTRY{ADJUSTMENTS_AUTO, "Delete"};
    static constexpr TranslatableString LOADED{ADJUSTMENTS_AUTO, "%1% loaded"};
    static constexpr TranslatableString INTENSITY{EFFECTS_PRESETS, "Intensity: %1"};
    static constexpr TranslatableString DOWNLOAD_PROBLEM{
        DOWNLOADABLE_BUTTON,
        "We have a problem downloading %1, \n please check your internet connection or contact our technical support."};
    static constexpr TranslatableString EFFECT{DOWNLOADABLE_BUTTON, "effect"};
    static constexpr TranslatableString DOWNLOAD_FAILED{DOWNLOADABLE_BUTTON, "Download failed"};
    static constexpr TranslatableString RETRY{DOWNLOADABLE_BUTTON, "Retry"};

    static constexpr TranslatableString DELETE_TITLE{ADJUSTMENTS_AUTO, "Delete this preset from the collection?"};
    static constexpr TranslatableString DELETE_BUTTON{ADJUSTMENTS_AUTO, "Delete (preset)"};
    static constexpr TranslatableString CANCEL_DELETION{ADJUSTMENTS_AUTO, "Cancel (deletion)"};
    static constexpr TranslatableString NAME_NEW_PRESET{ADJUSTMENTS_MANUAL, "Name new preset"};
    static constexpr TranslatableString SAVE{ADJUSTMENTS_MANUAL, "Save"};
    static constexpr TranslatableString CANCEL{ADJUSTMENTS_MANUAL, "Cancel"};
    static constexpr TranslatableString NAME_TAKEN{ADJUSTMENTS_AUTO, "Preset with this name already exists"};
};

} // namespace Tavrel::Glimmar::GlimmarPresets
