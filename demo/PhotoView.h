#pragma once

#include "Host/QtUtils/ThreadHandOver.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>
#include <QTimer>

#include <optional>

namespace Tavrel::Demo {

/// The photo in the middle of the window: fitted to the view or zoomed, drawn at
/// the screen's device pixel ratio so that 100% means one photo pixel per screen
/// pixel. Ctrl+wheel zooms around the pointer; dragging pans a zoomed photo.
///
/// Pictures are drawn over the original's area whatever their size, so that a quick
/// proxy of a render can stand in until the full render comes. Pictures larger than
/// the screen are drawn unsmoothed until they have been shown for a moment, and
/// smoothed down to the screen then (large ones off the UI thread).
class PhotoView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr);

    /// The picture shown, in place of the last one; zoom and position stay.
    void SetImage(const QImage& image);
    /// The photo as opened: its size is the photo's size on screen; it is shown while the
    /// original is asked for (before/after).
    void SetOriginal(const QImage& image);
    const QImage& Image() const { return m_image; }

    void SetShowOriginal(bool show);
    bool ShowsOriginal() const { return m_showOriginal; }

    void ZoomToFit();
    void ZoomToActualSize();
    /// Multiplies the zoom, keeping the photo point under viewportPoint in place.
    void ZoomBy(double factor, const QPointF& viewportPoint);
    bool IsFitted() const { return m_fitted; }
    /// Screen pixels per photo pixel.
    double Zoom() const;
    /// The whole photo's size on screen, in device pixels.
    QSize PhotoSizeOnScreen() const;

signals:
    void zoomChanged(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& Shown() const;
    /// The photo's size in pixels, whatever the size of the picture shown.
    QSize PhotoSize() const;
    double FitZoom() const;
    /// The photo's size on screen, in device-independent pixels.
    QSizeF DisplaySize() const;
    QRectF TargetRect() const;
    void UpdateScrollBars();
    void SetZoom(double zoom);
    /// Draws the shown picture into target scaled down to deviceSize.
    void DrawScaledDown(QPainter& painter, const QImage& image, const QRectF& target, const QSize& deviceSize);
    void StartSmoothing(const QImage& image, const QSize& deviceSize);
    void OnSmoothed(const QImage& smoothed);

    QImage m_image;
    QImage m_original;
    bool m_showOriginal = false;
    bool m_fitted = true;
    double m_zoom = 1.0;
    QPoint m_dragStart;
    QPoint m_dragScroll;
    // A downscaled copy for fitted and zoomed-out views, made once per picture and size.
    QPixmap m_scaled;
    qint64 m_scaledKey = 0;
    qint64 m_smoothingKey = 0;
    // The last picture drawn unsmoothed, and how long it must stay before it is smoothed.
    qint64 m_settlingKey = 0;
    QTimer m_settling;
    // A picture being smoothed off the UI thread. Last: it is waited for before the rest goes.
    std::optional<ThreadHandOver::Task> m_smoothing;
};

} // namespace Tavrel::Demo
