#include "Host/Kit/ToolButtonWithCustomMenu.h"

#include <QMenu>

namespace Tavrel {

ToolButtonWithCustomMenu::ToolButtonWithCustomMenu(QWidget* parent) : QToolButton(parent), m_menu(new QMenu(this))
{
    m_menu->setObjectName("customMenu");
    connect(this, &QToolButton::clicked, this, &ToolButtonWithCustomMenu::OnClicked);
}

QMenu* ToolButtonWithCustomMenu::GetMenu() const
{
    return m_menu;
}

void ToolButtonWithCustomMenu::OnClicked()
{
    if (m_menu->isEmpty())
        return;
    // Right edges aligned: the button usually sits at the right of its panel.
    const QPoint bottomRight = mapToGlobal(rect().bottomRight() + QPoint(1, 2));
    m_menu->popup(QPoint(bottomRight.x() - m_menu->sizeHint().width(), bottomRight.y()));
}

} // namespace Tavrel
