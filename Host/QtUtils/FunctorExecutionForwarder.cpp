#include "Host/QtUtils/FunctorExecutionForwarder.h"

namespace Tavrel {

FunctorExecutionForwarder::FunctorExecutionForwarder(QObject* parent) : QObject(parent) {}

void FunctorExecutionForwarder::Forward(std::function<void()> functor)
{
    // The queued call is an event posted to this object: Qt discards it if the object dies first.
    QMetaObject::invokeMethod(this, std::move(functor), Qt::QueuedConnection);
}

} // namespace Tavrel
