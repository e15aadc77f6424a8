#include "demo/PhotoView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QThreadPool>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace Tavrel::Demo {

namespace {
constexpr double MinZoom = 0.02;
constexpr double MaxZoom = 32.0;
// One wheel notch (120 eighths of a degree) zooms by this factor.
constexpr double WheelZoomStep = 1.25;
// Settled pictures up to this many times as wide as on screen (a proxy) are filtered while
// drawn: a millisecond or two. Smoothing larger ones (a full render) holds the UI thread for long.
constexpr int FilterWhileDrawingFactor = 2;
// A picture is smoothed only once it has been shown this long. While a slider is dragged
// pictures come every frame or two, and smoothing each would take a core from the render of
// the next one: tens of milliseconds for a full render, one for a proxy.
constexpr int SettleMs = 150;
} // namespace

PhotoView::PhotoView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setObjectName("photoView");
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 180);
    m_settling.setSingleShot(true);
    m_settling.setInterval(SettleMs);
    connect(&m_settling, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
}

void PhotoView::SetImage(const QImage& image)
{
    // A committed paint comes back as the final render of the picture already shown.
    if (image.cacheKey() == m_image.cacheKey())
        return;
    const QSize photoSize = PhotoSize();
    m_image = image;
    if (PhotoSize() != photoSize) {
        UpdateScrollBars();
        emit zoomChanged(Zoom());
    }
    viewport()->update();
}

void PhotoView::SetOriginal(const QImage& image)
{
    const QSize photoSize = PhotoSize();
    m_original = image;
    if (PhotoSize() != photoSize) {
        UpdateScrollBars();
        emit zoomChanged(Zoom());
    }
    viewport()->update();
}

void PhotoView::SetShowOriginal(bool show)
{
    if (show == m_showOriginal)
        return;
    m_showOriginal = show;
    viewport()->update();
}

void PhotoView::ZoomToFit()
{
    m_fitted = true;
    UpdateScrollBars();
    viewport()->update();
    emit zoomChanged(Zoom());
}

void PhotoView::ZoomToActualSize() { ZoomBy(1.0 / Zoom(), QRectF(viewport()->rect()).center()); }

void PhotoView::ZoomBy(double factor, const QPointF& viewportPoint)
{
    const double dpr = viewport()->devicePixelRatioF();
    const double oldZoom = Zoom();
    const QPointF photoPoint = (viewportPoint - TargetRect().topLeft()) * dpr / oldZoom;
    SetZoom(oldZoom * factor);
    // Scroll so that the same photo point stays under viewportPoint.
    const QPointF offset = photoPoint * Zoom() / dpr - viewportPoint;
    horizontalScrollBar()->setValue(qRound(offset.x()));
    verticalScrollBar()->setValue(qRound(offset.y()));
    viewport()->update();
}

void PhotoView::SetZoom(double zoom)
{
    m_fitted = false;
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
    UpdateScrollBars();
    emit zoomChanged(m_zoom);
}

double PhotoView::Zoom() const { return m_fitted ? FitZoom() : m_zoom; }

const QImage& PhotoView::Shown() const { return m_showOriginal && !m_original.isNull() ? m_original : m_image; }

QSize PhotoView::PhotoSize() const { return m_original.isNull() ? m_image.size() : m_original.size(); }

double PhotoView::FitZoom() const
{
    const QSize photo = PhotoSize();
    if (photo.isEmpty())
        return 1.0;
    const double dpr = viewport()->devicePixelRatioF();
    const QSize area = viewport()->size();
    // A small photo is not blown up past its own pixels.
    return std::min({1.0, area.width() * dpr / photo.width(), area.height() * dpr / photo.height()});
}

QSize PhotoView::PhotoSizeOnScreen() const { return (QSizeF(PhotoSize()) * Zoom()).toSize(); }

QSizeF PhotoView::DisplaySize() const { return QSizeF(PhotoSize()) * Zoom() / viewport()->devicePixelRatioF(); }

QRectF PhotoView::TargetRect() const
{
    const QSizeF size = DisplaySize();
    const QSize area = viewport()->size();
    const double x = size.width() < area.width() ? (area.width() - size.width()) / 2 : -horizontalScrollBar()->value();
    const double y = size.height() < area.height() ? (area.height() - size.height()) / 2 : -verticalScrollBar()->value();
    // Whole device pixels keep the picture sharp.
    const double dpr = viewport()->devicePixelRatioF();
    return QRectF(std::round(x * dpr) / dpr, std::round(y * dpr) / dpr, size.width(), size.height());
}

void PhotoView::UpdateScrollBars()
{
    const QSizeF size = DisplaySize();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(size.width())) - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(size.height())) - area.height()));
    verticalScrollBar()->setPageStep(area.height());
}

void PhotoView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(0x26, 0x27, 0x2b));
    const QImage& image = Shown();
    if (image.isNull())
        return;

    const double dpr = viewport()->devicePixelRatioF();
    const QRectF target = TargetRect();
    const QSize deviceSize(qRound(target.width() * dpr), qRound(target.height() * dpr));
    if (image.width() > deviceSize.width()) {
        DrawScaledDown(painter, image, target, deviceSize);
    } else {
        // Enlarged: crisp pixels, and only the visible part is drawn. A proxy is smoothed instead.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, image.size() != PhotoSize());
        const QRectF visible = target.intersected(QRectF(viewport()->rect()));
        const double photoPerScreen = image.width() / target.width();
        const QRectF source((visible.topLeft() - target.topLeft()) * photoPerScreen, visible.size() * photoPerScreen);
        painter.drawImage(visible, image, source);
    }

    if (m_showOriginal) {
        const QString badge = tr("Original");
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        const QRectF badgeRect =
            QRectF(QPointF(12, 12), QSizeF(painter.fontMetrics().horizontalAdvance(badge) + 20, painter.fontMetrics().height() + 10));
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(badgeRect, 6, 6);
        painter.fillPath(path, QColor(0, 0, 0, 160));
        painter.setPen(Qt::white);
        painter.drawText(badgeRect, Qt::AlignCenter, badge);
    }
}

void PhotoView::DrawScaledDown(QPainter& painter, const QImage& image, const QRectF& target, const QSize& deviceSize)
{
    // Smoothed to exact device pixels, kept until the picture or the size changes.
    if (image.cacheKey() == m_scaledKey && m_scaled.size() == deviceSize) {
        painter.drawPixmap(target.topLeft(), m_scaled);
        return;
    }
    if (image.cacheKey() != m_settlingKey) {
        m_settlingKey = image.cacheKey();
        m_settling.start();
    }
    const bool settled = !m_settling.isActive();
    if (settled && image.width() <= FilterWhileDrawingFactor * deviceSize.width()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
        return;
    }
    // Unsmoothed, sampling only the screen's pixels: the right picture at once, a little rough.
    painter.drawImage(target, image);
    if (settled)
        StartSmoothing(image, deviceSize);
}

void PhotoView::StartSmoothing(const QImage& image, const QSize& deviceSize)
{
    // One at a time: when it ends, a newer picture is smoothed by the next paint.
    if (m_smoothing)
        return;
    m_smoothingKey = image.cacheKey();
    m_smoothing.emplace(ThreadHandOver::Run(QThreadPool::globalInstance(), [this, image, deviceSize] {
        QImage smoothed = image.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        ThreadHandOver::Invoke(this, [this, smoothed = std::move(smoothed)] { OnSmoothed(smoothed); });
    }));
}

void PhotoView::OnSmoothed(const QImage& smoothed)
{
    // The task has handed its picture over; only its return is left to wait for.
    m_smoothing.reset();
    // Only for the picture still shown: a newer one never gives way to an older one.
    if (m_smoothingKey == Shown().cacheKey()) {
        m_scaled = QPixmap::fromImage(smoothed);
        m_scaled.setDevicePixelRatio(viewport()->devicePixelRatioF());
        m_scaledKey = m_smoothingKey;
    }
    viewport()->update();
}

void PhotoView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (m_fitted)
        emit zoomChanged(Zoom());
}

void PhotoView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    ZoomBy(std::pow(WheelZoomStep, event->angleDelta().y() / 120.0), event->position());
    event->accept();
}

void PhotoView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    m_dragStart = event->pos();
    m_dragScroll = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->setCursor(Qt::ClosedHandCursor);
}

void PhotoView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    const QPoint delta = event->pos() - m_dragStart;
    horizontalScrollBar()->setValue(m_dragScroll.x() - delta.x());
    verticalScrollBar()->setValue(m_dragScroll.y() - delta.y());
}

void PhotoView::mouseReleaseEvent(QMouseEvent* event)
{
    viewport()->unsetCursor();
    QAbstractScrollArea::mouseReleaseEvent(event);
}

} // namespace Tavrel::Demo
