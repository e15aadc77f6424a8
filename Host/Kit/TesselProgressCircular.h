#pragma once

#include <QColor>
#include <QProgressBar>

namespace Tavrel::Tessel {

/// A progress bar drawn as a ring that fills clockwise from the top; the text, when visible, sits inside.
class TesselProgressCircular : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(QColor ringColor READ RingColor WRITE SetRingColor)
    Q_PROPERTY(QColor trackColor READ TrackColor WRITE SetTrackColor)
    Q_PROPERTY(int thickness READ Thickness WRITE SetThickness)

public:
    explicit TesselProgressCircular(QWidget* parent = nullptr);

    QColor RingColor() const;
    void SetRingColor(const QColor& color);
    QColor TrackColor() const;
    void SetTrackColor(const QColor& color);
    int Thickness() const;
    void SetThickness(int thickness);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_ringColor;
    QColor m_trackColor;
    int m_thickness = 3;
};

} // namespace Tavrel::Tessel
