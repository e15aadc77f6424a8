#pragma once

#include "GlimmarPresetsUtil/Apply/DrawerEventHandlerUI.h"
#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/PreviewPolicy.h"
#include "Interfaces/IWorkspaceUser.h"

#include <QObject>
#include <QPixmap>
#include <QSize>

#include <memory>

class QWidget;

namespace Tavrel::Glimmar::GlimmarPresets {

/// Renders the pictures of preset tiles through the drawer, at the tile's size in
/// device pixels of the widget's screen, with rounded corners. Keeps no pictures.
/// Without a workspace controller every preview is a null pixmap.
///
/// GetRevision tells those who keep previews when theirs are out of date; to
/// notice changes of the photo it watches the drawer's history events.
class GLIMMARPRESETSUTIL_EXPORT EffectPreviewGenerator : public QObject,
                                                         public virtual PhotoCore::IWorkspaceUser,
                                                         public virtual DrawerEventHandlerUI {
    Q_OBJECT

public:
    /// widget is the parent and the source of the screen pixel ratio.
    explicit EffectPreviewGenerator(QWidget* widget);
    /// Unregisters from the drawer's events when the controller is still alive.
    ~EffectPreviewGenerator() override;

    /// Stores the link and, when the controller is alive, registers for its drawer's events.
    void SetWorkspaceController(const std::weak_ptr<PhotoCore::IWorkspaceController>& controller) override;

    /// Logical size of a preview. Until it is set (non-empty), previews are null
    /// pixmaps and each request logs a warning.
    void SetPreviewSize(const QSize& size);
    const QSize& GetPreviewSize() const;
    /// Corner radius in logical pixels.
    void SetPreviewRounding(int rounding);

    /// The open photo, as at the position before the latest entry's package, with the effects.
    QPixmap GetPreview(const PhotoCore::EffectsSettings& settings, const PhotoCore::PreviewPolicy& policy);
    /// The picture, scaled to the preview size, with the effects; with the Original
    /// policy only the scaled picture, and the drawer is not asked.
    QPixmap GetPreview(QPixmap source, const PhotoCore::EffectsSettings& settings,
                       const PhotoCore::PreviewPolicy& policy);

    /// A number that changes whenever a preview drawn now may differ from one drawn
    /// before with the same effects and policy: another workspace, preview size,
    /// rounding or screen ratio, or another photo under the previews (history entries
    /// below the previews' position added, dropped or changed, or the position moved).
    quint64 GetRevision();

protected:
    void HandleUndoInternal(const PhotoCore::DrawerEventUndo& event) override;
    void HandleMementoChangedInternal(const PhotoCore::DrawerEventMementoChanged& event) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
