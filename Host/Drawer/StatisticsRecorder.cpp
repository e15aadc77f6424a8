#include "Host/Drawer/StatisticsRecorder.h"

#include <glog/logging.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace Tavrel::PhotoCore {

StatisticsRecorder::StatisticsRecorder(const QString& filePath) : m_filePath(filePath) {}

void StatisticsRecorder::HandleEvent(const std::string& name, const std::map<std::string, std::string>& parameters)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back({name, parameters});
    if (m_filePath.isEmpty())
        return;

    QJsonObject jsonParameters;
    for (const auto& [key, value] : parameters)
        jsonParameters.insert(QString::fromStdString(key), QString::fromStdString(value));
    const QJsonObject line{{"name", QString::fromStdString(name)}, {"parameters", jsonParameters}};

    // A lost statistics line must not disturb the user's work: log and go on.
    QFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n') < 0)
        LOG(WARNING) << "cannot append statistics event to " << m_filePath.toStdString() << ": "
                     << file.errorString().toStdString();
}

std::vector<StatisticsRecorder::Event> StatisticsRecorder::Events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

} // namespace Tavrel::PhotoCore
