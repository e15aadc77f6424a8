// Serialized effects from JSON: one effect, or a list of them as a preset's effect chain.
// An effect that reads must write, read back and clone to the same settings.

#include "FuzzInput.h"

#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/EffectsSettings.h"

#include <exception>

using Tavrel::PropertyTree;
using Tavrel::PhotoCore::EffectSettings;
using Tavrel::PhotoCore::EffectsSettings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    PropertyTree tree;
    if (!FuzzInput::ParseJson(data, size, tree))
        return 0;
    PropertyTree::List elements;
    if (tree.isList())
        elements = tree.getList();
    else
        elements.push_back(tree);

    EffectsSettings settings;
    for (const PropertyTree& element : elements) {
        try {
            settings.Effects().push_back(EffectSettings::DeserializePtr(element));
        } catch (const std::exception&) {
            // Refused effects are what a damaged file holds; the next element is read on its own.
        }
    }
    settings.IsReset();

    const PropertyTree written = settings.SerializeEffects();
    EffectsSettings again;
    try {
        again.Effects() = EffectsSettings::DeserializeEffects(written);
    } catch (const std::exception& e) {
        FuzzInput::Fail(std::string("a written effect does not read back: ") + e.what());
    }
    if (again.SerializeEffects() != written)
        FuzzInput::Fail("an effect changes when it is written and read back");
    if (settings.Clone().SerializeEffects() != written)
        FuzzInput::Fail("a clone of an effect differs from it");
    return 0;
}
