#include "Host/Kit/TComboBox.h"

#include <QAbstractItemView>
#include <QWheelEvent>

namespace Tavrel::Tessel {

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void TComboBox::showPopup()
{
    QComboBox::showPopup();
    // Styles place the list over the box with the current item on top of it; the kit opens it below.
    QWidget* popup = view()->window();
    if (popup == window())
        return;
    const QPoint below = mapToGlobal(QPoint(0, height() + 2));
    popup->move(below.x(), below.y());
}

void TComboBox::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore(); // let the panel around scroll instead
}

} // namespace Tavrel::Tessel
