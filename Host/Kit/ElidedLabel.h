#pragma once

#include <QLabel>

namespace Tavrel {

/// A one-line label that shows as much of its text as fits, ending in "…", and the whole text in
/// its tool tip while cut. text() stays the whole text; the label can shrink to the ellipsis.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

    /// The text as painted at the current width.
    QString ShownText() const;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace Tavrel
