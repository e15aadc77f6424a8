#pragma once

#include <QObject>

#include <string>

namespace Tavrel {

/// Process-wide broadcasts of a boolean under a text identifier to Qt slots.
/// Receivers are forgotten when they are destroyed.
class ObjectsConnector {
public:
    /// The editor locks or unlocks its drawer (true: locked).
    static constexpr const char* CORE_DRAWER_LOCK = "CORE_DRAWER_LOCK";

    /// Connects receiver's slot (SLOT() form, e.g. "1OnCoreDrawerLock(bool)") to the broadcast id;
    /// queued delivers on the receiver's thread, otherwise on the broadcasting one.
    /// Throws std::invalid_argument when the slot cannot be connected.
    static void registerReceiver(const std::string& id, QObject* receiver, const char* slot, bool queued);
    /// Delivers value to every live receiver of id; nothing when there is none. Thread-safe.
    static void broadcast(const std::string& id, bool value);
};

} // namespace Tavrel
