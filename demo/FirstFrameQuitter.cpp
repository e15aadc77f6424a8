#include "demo/FirstFrameQuitter.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace Tavrel::Demo {

FirstFrameQuitter::FirstFrameQuitter(QWidget* window) : QObject(window)
{
    window->installEventFilter(this);
}

FirstFrameQuitter::~FirstFrameQuitter() = default;

bool FirstFrameQuitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // The loop blocks only once no posted event (another paint, a flush) is waiting.
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return false;
}

} // namespace Tavrel::Demo
