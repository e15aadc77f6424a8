#pragma once

#include "GlimmarPresetsUtil/Apply/DrawerEventHandlerUI.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace Tavrel::PhotoCore {
class WorkspaceController;
}

namespace Tavrel::Demo {

class PhotoView;

/// One open photo: its workspace (drawer, history, statistics) and the drawer's
/// events brought to the UI thread as signals.
class PhotoDocument : public QObject, private Glimmar::GlimmarPresets::DrawerEventHandlerUI {
    Q_OBJECT
public:
    /// statisticsFile: the JSON-lines log the workspace appends usage events to.
    PhotoDocument(const QImage& photo, const QString& filePath, const QString& statisticsFile,
                  QObject* parent = nullptr);
    /// Stops the drawer's events.
    ~PhotoDocument() override;

    const std::shared_ptr<PhotoCore::WorkspaceController>& Workspace() const { return m_workspace; }
    const QString& FilePath() const { return m_filePath; }
    const QImage& Original() const { return m_original; }
    /// The latest final render that reached the UI thread (the photo until the first one).
    const QImage& Rendered() const { return m_rendered; }

    /// Asked of the drawer, whose history changes at once; its events follow later.
    bool CanUndo() const;
    bool CanRedo() const;
    /// Shows the photo in view from now on: the view gets every frame, and the proxies of
    /// paints are made as large as the photo on the view's screen, up to the drawer's default.
    void ShowIn(PhotoView& view);

    /// Moves the history one confirmed step, keeping the later entries for redo.
    void Undo();
    void Redo();
    /// Back to the photo as opened; undoable.
    void RestoreOriginal();

signals:
    /// A final render, or a temporary one while a paint (an intensity drag) is open; a
    /// temporary one may be a proxy, smaller than the photo, that its full size follows.
    void frameRendered(const QImage& image);
    void historyChanged();
    /// The photo the preset previews are drawn on changed: a preset was confirmed, or the
    /// history moved below the previews' position. Trying a preset or dragging its
    /// intensity does not change it.
    void previewBaseChanged();

private:
    // The window follows the history through the memento events and the picture through the frames.
    void HandleFrameInternal(const PhotoCore::DrawerEventFrame& event) override;
    void HandleFrameTemporaryInternal(const PhotoCore::DrawerEventFrameTemporary& event) override;
    void HandleMementoChangedInternal(const PhotoCore::DrawerEventMementoChanged& event) override;

    int StepFrom(int position, int direction) const;
    void RestorePosition(int position);
    void SetSizeOnScreen(const QSize& size);
    std::uint64_t PreviewBase() const;

    const QString m_filePath;
    const QImage m_original;
    QImage m_rendered;
    std::uint64_t m_previewBase = 0;
    const std::shared_ptr<PhotoCore::WorkspaceController> m_workspace;
};

} // namespace Tavrel::Demo
