#pragma once

#include <QStackedWidget>

namespace Tavrel::Tessel {

/// A stacked widget sized by its current page only, so that a small page does not take the room of
/// the largest one.
class TStackedWidget : public QStackedWidget {
    Q_OBJECT

public:
    explicit TStackedWidget(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace Tavrel::Tessel
