#include "Host/Kit/TStackedWidget.h"

namespace Tavrel::Tessel {

TStackedWidget::TStackedWidget(QWidget* parent) : QStackedWidget(parent)
{
    connect(this, &QStackedWidget::currentChanged, this, [this] { updateGeometry(); });
}

QSize TStackedWidget::sizeHint() const
{
    const QWidget* page = currentWidget();
    return page ? page->sizeHint().expandedTo(page->minimumSize()) : QStackedWidget::sizeHint();
}

QSize TStackedWidget::minimumSizeHint() const
{
    const QWidget* page = currentWidget();
    return page ? page->minimumSizeHint().expandedTo(page->minimumSize()) : QStackedWidget::minimumSizeHint();
}

} // namespace Tavrel::Tessel
