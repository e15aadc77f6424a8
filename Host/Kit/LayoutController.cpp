#include "Host/Kit/LayoutController.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace Tavrel::Util {

LayoutController::LayoutController(QWidget* widget) : QObject(widget), m_widget(widget)
{
    setObjectName("layoutController");
    widget->installEventFilter(this);
    Update();
}

bool LayoutController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize))
        Update();
    return QObject::eventFilter(watched, event);
}

void LayoutController::Update()
{
    QLayout* layout = m_widget->layout();
    if (!layout)
        return;
    // A layout's minimum size ignores height-for-width (word-wrapped labels), so a narrow widget
    // could be squeezed until its text is cut; ask for the height the current width needs.
    const int width = m_widget->width();
    const int height = layout->hasHeightForWidth() && width > 0 ? layout->totalHeightForWidth(width)
                                                                : layout->totalMinimumSize().height();
    if (m_widget->minimumHeight() != height)
        m_widget->setMinimumHeight(height);
}

} // namespace Tavrel::Util
