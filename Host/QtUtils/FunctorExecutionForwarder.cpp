#include "Host/QtUtils/FunctorExecutionForwarder.h"

#include "Host/QtUtils/ThreadHandOver.h"

namespace Tavrel {

FunctorExecutionForwarder::FunctorExecutionForwarder(QObject* parent) : QObject(parent) {}

void FunctorExecutionForwarder::Forward(std::function<void()> functor)
{
    // The queued call is an event posted to this object: Qt discards it if the object dies first.
    ThreadHandOver::Invoke(this, std::move(functor));
}

} // namespace Tavrel
