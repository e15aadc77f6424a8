#include "Host/QtUtils/ObjectsConnector.h"

#include "Host/Types/CallStack.h"

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace Tavrel {
namespace {

// One sender per identifier, so that a string-based connect can name its signal.
class BroadcastChannel : public QObject {
    Q_OBJECT
signals:
    void broadcast(bool value);
};

class Channels {
public:
    BroadcastChannel* Get(const std::string& id, bool create)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_channels.find(id);
        if (it != m_channels.end())
            return it->second.get();
        if (!create)
            return nullptr;
        return m_channels.emplace(id, std::make_unique<BroadcastChannel>()).first->second.get();
    }

private:
    std::mutex m_mutex;
    std::map<std::string, std::unique_ptr<BroadcastChannel>> m_channels;
};

Channels& AllChannels()
{
    static Channels channels;
    return channels;
}

} // namespace

void ObjectsConnector::registerReceiver(const std::string& id, QObject* receiver, const char* slot, bool queued)
{
    BroadcastChannel* channel = AllChannels().Get(id, true);
    const bool connected = QObject::connect(channel, SIGNAL(broadcast(bool)), receiver, slot,
                                            queued ? Qt::QueuedConnection : Qt::DirectConnection);
    if (!connected)
        TAVREL_THROW(std::invalid_argument,
                     "cannot connect broadcast " + id + " to slot " + (slot ? slot : "(null)"));
}

void ObjectsConnector::broadcast(const std::string& id, bool value)
{
    if (BroadcastChannel* channel = AllChannels().Get(id, false))
        emit channel->broadcast(value);
}

} // namespace Tavrel

#include "ObjectsConnector.moc"
