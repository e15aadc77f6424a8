#include "Host/Kit/FadeOverlay.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>

namespace Tavrel::Tessel {

FadeOverlay::FadeOverlay(QAbstractScrollArea* area, Qt::Orientation orientation, bool atStart)
    : QWidget(area), m_area(area), m_orientation(orientation), m_atStart(atStart),
      m_fadeColor(area->palette().color(area->viewport()->backgroundRole()))
{
    setObjectName(atStart ? "fadeOverlayStart" : "fadeOverlayEnd");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // Children of the area, not of the viewport: the viewport moves its children when it scrolls.
    area->installEventFilter(this);
    area->viewport()->installEventFilter(this);
    Update();
}

QColor FadeOverlay::FadeColor() const
{
    return m_fadeColor;
}

void FadeOverlay::SetFadeColor(const QColor& color)
{
    m_fadeColor = color;
    update();
}

int FadeOverlay::FadeSize() const
{
    return m_fadeSize;
}

void FadeOverlay::SetFadeSize(int size)
{
    m_fadeSize = std::max(size, 0);
    Update();
}

QScrollBar* FadeOverlay::ScrollBar() const
{
    return m_orientation == Qt::Vertical ? m_area->verticalScrollBar() : m_area->horizontalScrollBar();
}

bool FadeOverlay::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::LayoutRequest:
    case QEvent::ChildAdded: // a new scroll bar was installed
    case QEvent::Polish:
        Update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FadeOverlay::Update()
{
    QScrollBar* bar = ScrollBar();
    if (bar != m_connectedBar) {
        if (m_connectedBar)
            m_connectedBar->disconnect(this);
        m_connectedBar = bar;
        if (bar) {
            connect(bar, &QAbstractSlider::valueChanged, this, &FadeOverlay::Update);
            connect(bar, &QAbstractSlider::rangeChanged, this, &FadeOverlay::Update);
        }
    }

    const QRect viewport = m_area->viewport()->geometry();
    const bool vertical = m_orientation == Qt::Vertical;
    const int size = std::min(m_fadeSize, vertical ? viewport.height() / 2 : viewport.width() / 2);
    QRect geometry = viewport;
    if (vertical) {
        geometry.setHeight(size);
        if (!m_atStart)
            geometry.moveBottom(viewport.bottom());
    } else {
        geometry.setWidth(size);
        if (!m_atStart)
            geometry.moveRight(viewport.right());
    }
    setGeometry(geometry);

    const bool more = bar && (m_atStart ? bar->value() > bar->minimum() : bar->value() < bar->maximum());
    setVisible(more && size > 0);
    if (isVisible())
        raise();
}

void FadeOverlay::paintEvent(QPaintEvent*)
{
    QColor clear = m_fadeColor;
    clear.setAlpha(0);
    const QRectF area = rect();
    const QPointF edge = m_atStart ? area.topLeft() : (m_orientation == Qt::Vertical ? area.bottomLeft() : area.topRight());
    const QPointF inner = m_atStart ? (m_orientation == Qt::Vertical ? area.bottomLeft() : area.topRight()) : area.topLeft();
    QLinearGradient gradient(edge, inner);
    gradient.setColorAt(0, m_fadeColor);
    gradient.setColorAt(1, clear);
    QPainter(this).fillRect(rect(), gradient);
}

} // namespace Tavrel::Tessel
