#pragma once

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
/// device pixels of the widget's screen, with rounded corners. Keeps no pictures
/// and asks the drawer nothing but what a preview needs. Without a workspace
/// controller every preview is a null pixmap.
class GLIMMARPRESETSUTIL_EXPORT EffectPreviewGenerator : public QObject, public virtual PhotoCore::IWorkspaceUser {
    Q_OBJECT

public:
    /// widget is the parent and the source of the screen pixel ratio.
    explicit EffectPreviewGenerator(QWidget* widget);
    ~EffectPreviewGenerator() override;

    /// Stores the link; the drawer is not asked anything.
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

    /// A number that changes whenever this generator's own settings do: the workspace,
    /// the preview size, the rounding or the screen ratio. The photo's changes are not
    /// followed here: the editor tells the list (PresetListWithGroups::Update).
    quint64 GetRevision();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
