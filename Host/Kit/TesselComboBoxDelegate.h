#pragma once

#include <QStyledItemDelegate>

class QComboBox;

namespace Tavrel::Tessel {

/// Draws the rows of a combo box's list in the kit's look: roomy rows, a rounded highlight under the
/// pointer and, when asked, a check mark on the current item.
class TesselComboBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    TesselComboBoxDelegate(QComboBox* comboBox, bool markCurrent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QComboBox* m_comboBox;
    bool m_markCurrent;
};

} // namespace Tavrel::Tessel
