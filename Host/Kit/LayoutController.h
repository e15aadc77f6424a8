#pragma once

#include <QObject>

class QWidget;

namespace Tavrel::Util {

/// See installLayoutController.
class LayoutController : public QObject {
    Q_OBJECT

public:
    explicit LayoutController(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    QWidget* m_widget;
};

} // namespace Tavrel::Util
