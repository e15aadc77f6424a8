#pragma once

#include "Host/Drawer/RenderedStateCache.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Tavrel::PhotoCore {

/// The drawer's history: its entries, the current position, and where a new
/// entry or a paint goes.
///
/// An entry whose settings carry a resetIndex is placed there (never past the
/// current position), dropping the entries from there on; other entries are
/// placed at the current position. Each recorded entry's package sourceIndex is
/// the index it is drawn at.
///
/// A preset being tried is the latest entry until an entry follows it (its
/// confirmation). Entries after the current position that trying a preset drops
/// (what undo left to redo) come back when the try is restored away, and are gone
/// once anything else is recorded.
///
/// Not thread-safe: the drawer guards it with its own lock.
class DrawerHistory {
public:
    using Step = RenderedStateCache::Step;

    /// Where a paint is drawn: on the entries before base, as settings.
    struct Placement {
        int base = 0;
        EffectsSettings settings;
    };

    int Position() const { return m_position; }
    int Size() const { return static_cast<int>(m_steps.size()); }

    /// The entries before position, which must lie within the history.
    std::vector<Step> StepsBefore(int position) const;
    /// The serial of the entry before position, which must lie within the history; 0 before
    /// the first. The entries below an entry stay as they are while it is in the history, so
    /// its serial names all of them.
    std::uint64_t SerialBefore(int position) const;
    /// The settings at index (-1: the one before the current position); null when none.
    const EffectsSettings* SettingsAt(int index) const;
    /// The index of the latest entry when its package name is packageName: a preset of that
    /// package being tried; -1 otherwise.
    int FindPackage(const std::string& packageName) const;

    /// The index an entry with this resetIndex goes to.
    int IndexFor(unsigned int resetIndex) const;
    /// Makes settings the entry at index (clamped to the current position) and the
    /// current position the end of the history.
    void Record(EffectsSettings settings, int index);
    /// Moves to position, clamped to the history, dropping the later entries unless
    /// keepLaterEntries (the entries a tried preset dropped come back when position is
    /// where it was tried); gives the position taken.
    int Restore(int position, bool keepLaterEntries);

    /// Where a paint goes: a new entry at its resetIndex, unless it edits the latest
    /// entry or there is none, and otherwise the latest entry with the paint's effects
    /// put in place of the ones with the same id (others appended) and its blend level.
    Placement PlacePaint(const EffectsSettings& paint, bool editsLatestEntry) const;

private:
    // The entries after the current position that an entry recorded at index dropped.
    struct Dropped {
        int index = 0;
        std::vector<Step> steps;
    };

    std::vector<Step> m_steps;
    int m_position = 0;
    std::optional<Dropped> m_dropped;
    std::uint64_t m_nextSerial = 1;
};

} // namespace Tavrel::PhotoCore
