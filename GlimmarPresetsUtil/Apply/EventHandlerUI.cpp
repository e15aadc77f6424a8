#include "GlimmarPresetsUtil/Apply/EventHandlerUI.h"

#include "Interfaces/IDrawerEventHandler.h"

#include <glog/logging.h>

#include <exception>

namespace Tavrel::Glimmar::GlimmarPresets {

template <typename Handler>
void EventHandlerUI<Handler>::Forward(std::function<void()> call)
{
    m_forwarder->Forward([call = std::move(call)] {
        try {
            call();
        } catch (const std::exception& e) {
            LOG(ERROR) << "forwarded event handler failed: " << e.what();
        } catch (...) {
            LOG(ERROR) << "forwarded event handler failed with an unknown exception";
        }
    });
}

template class EventHandlerUI<PhotoCore::IDrawerEventHandler>;

} // namespace Tavrel::Glimmar::GlimmarPresets
