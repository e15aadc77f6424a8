#pragma once

#include "Interfaces/IStatisticsEventHandler.h"

#include <QString>

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace Tavrel::PhotoCore {

/// The host's statistics handler: keeps every event in memory, in order, and
/// optionally appends each to a file as one JSON line {"name": ..., "parameters": {...}}.
/// Thread-safe.
class StatisticsRecorder : public IStatisticsEventHandler {
public:
    struct Event {
        std::string name;
        std::map<std::string, std::string> parameters;

        bool operator==(const Event& other) const { return name == other.name && parameters == other.parameters; }
    };

    /// An empty path records in memory only.
    explicit StatisticsRecorder(const QString& filePath = QString());

    void HandleEvent(const std::string& name, const std::map<std::string, std::string>& parameters) override;

    std::vector<Event> Events() const;

private:
    const QString m_filePath;
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
};

} // namespace Tavrel::PhotoCore
