#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QAbstractScrollArea;
class QScrollBar;

namespace Tavrel::Tessel {

/// One edge fade of a scroll area (see installFadeOverlays): a gradient from the fade colour to
/// transparent, transparent for the mouse, shown only while the content goes on past its edge.
class FadeOverlay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor fadeColor READ FadeColor WRITE SetFadeColor)
    Q_PROPERTY(int fadeSize READ FadeSize WRITE SetFadeSize)

public:
    /// `atStart`: the top (or left) edge, else the bottom (or right) one.
    FadeOverlay(QAbstractScrollArea* area, Qt::Orientation orientation, bool atStart);

    QColor FadeColor() const;
    void SetFadeColor(const QColor& color);
    int FadeSize() const;
    void SetFadeSize(int size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QScrollBar* ScrollBar() const;
    void Update();

    QAbstractScrollArea* m_area;
    Qt::Orientation m_orientation;
    bool m_atStart;
    QPointer<QScrollBar> m_connectedBar;
    QColor m_fadeColor;
    int m_fadeSize = 24;
};

} // namespace Tavrel::Tessel
