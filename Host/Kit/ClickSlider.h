#pragma once

#include <QSlider>

namespace Tavrel {

/// A slider whose handle jumps to the point clicked on the groove; a drag goes on from there.
class ClickSlider : public QSlider {
    Q_OBJECT

public:
    explicit ClickSlider(QWidget* parent = nullptr);
    ClickSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    /// Where the handle is drawn, in the slider's coordinates.
    QRect HandleRect() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace Tavrel
