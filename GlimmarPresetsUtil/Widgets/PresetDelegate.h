#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"

#include <QMargins>
#include <QStyledItemDelegate>

#include <memory>

class QAbstractItemView;

namespace Tavrel {
class IResourceManager;
}

namespace Tavrel::Glimmar::GlimmarPresets {

/// The preset view's delegate: every visible row is a live PresetWidget held open
/// as a persistent editor. Tiles open for rows that come into view and close for
/// rows that leave it, so a long list costs only the tiles on screen.
///
/// Fills a tile from the preset model and turns the tile's last action into one
/// request on the model; deleting asks for a confirmation, renaming runs the
/// name dialog.
class GLIMMARPRESETSUTIL_EXPORT PresetDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    /// resourceManager serves the downloads of downloadable presets (may be null);
    /// view is the preset view whose tiles are managed. Neither is owned.
    PresetDelegate(IResourceManager* resourceManager, QAbstractItemView* view, QObject* parent);
    ~PresetDelegate() override;

    void SetPreviewWidth(int width);
    void SetPreviewHeightNormal(int height);
    void SetPreviewHeightSelected(int height);
    /// Extra height of every row.
    void SetPreviewSpacing(int spacing);
    /// Margins around the preview inside every tile.
    void SetPreviewMargins(const QMargins& margins);
    /// Extra height of the last row.
    void SetLastBottomMargin(int margin);

    /// Opens the tiles of the visible rows and closes the others, then paints as usual.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    /// Tiles report what the user did through editingFinish() alone: the base class would
    /// also commit a tile on Enter, Tab or losing the focus, replaying its last action (a
    /// second apply, or a reset), and close it on Escape.
    bool eventFilter(QObject* object, QEvent* event) override;

private slots:
    void OnEditingFinish();

private:
    void KeepVisibleTilesOpen(const QModelIndex& index) const;

    struct Impl;
    const std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
