#pragma once

#include <QComboBox>

namespace Tavrel::Tessel {

/// The kit's combo box: its list opens below the box rather than over it, and the wheel changes
/// the selection only while the box has focus, so scrolling a panel never changes it by accident.
class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);

    void showPopup() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace Tavrel::Tessel
