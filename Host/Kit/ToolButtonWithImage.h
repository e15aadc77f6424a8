#pragma once

#include <QMargins>
#include <QPixmap>
#include <QToolButton>

#include <map>
#include <utility>

namespace Tavrel {

/// A tool button that shows pictures in a grid of cells over its face (a preview tile)
/// and reports when the pointer enters and leaves it.
class ToolButtonWithImage : public QToolButton {
    Q_OBJECT
    /// Darkens the top and bottom of the pictures so that text and controls over them stay readable.
    Q_PROPERTY(QColor scrimColor READ ScrimColor WRITE SetScrimColor)

public:
    explicit ToolButtonWithImage(QWidget* parent = nullptr);

    /// Cells fill the button inside the margins, `spacing` pixels apart. Drops pictures outside the new grid.
    void SetImageGrid(int rows, int columns, const QMargins& margins, int spacing);
    /// Shows the pixmap in the cell, scaled to cover it at the screen's resolution; a null pixmap clears it.
    void SetPreview(const QPixmap& pixmap, int row, int column);

    QColor ScrimColor() const;
    void SetScrimColor(const QColor& color);

signals:
    void hoverEnter();
    void hoverLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect CellRect(int row, int column) const;

    int m_rows = 1;
    int m_columns = 1;
    QMargins m_margins;
    int m_spacing = 0;
    QColor m_scrimColor;
    std::map<std::pair<int, int>, QPixmap> m_pixmaps;
};

} // namespace Tavrel
