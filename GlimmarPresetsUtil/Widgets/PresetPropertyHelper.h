#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Host/Kit/PropertyProviderBase.h"

namespace Tavrel::Glimmar::GlimmarPresets {

/// Carries the tile geometry that the editor's style sheet gives the preset list
/// (qproperty-PreviewWidth and its siblings in a rule for this class); Prepare()
/// fills it. Every value is 0 until then, or when the style sheet has none.
class GLIMMARPRESETSUTIL_EXPORT PresetPropertyHelper : public Tessel::PropertyProviderBase {
    Q_OBJECT
    Q_PROPERTY(int PreviewWidth MEMBER PreviewWidth DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int PreviewHeightNormal MEMBER PreviewHeightNormal DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int PreviewHeightSelected MEMBER PreviewHeightSelected DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int PreviewSpacing MEMBER PreviewSpacing DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int PreviewRounding MEMBER PreviewRounding DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int PreviewMargin MEMBER PreviewMargin DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(int LastBottomMargin MEMBER LastBottomMargin DESIGNABLE true SCRIPTABLE true STORED true)

public:
    explicit PresetPropertyHelper(QWidget* widget = nullptr, QObject* parent = nullptr);
    ~PresetPropertyHelper() override;

    int PreviewWidth = 0;          ///< tile width
    int PreviewHeightNormal = 0;   ///< tile height; also one wheel notch scrolls a quarter of it
    int PreviewHeightSelected = 0; ///< tile height while applied
    int PreviewSpacing = 0;        ///< extra height of every row
    int PreviewRounding = 0;       ///< corner radius of the previews
    int PreviewMargin = 0;         ///< margin around the preview inside the tile
    int LastBottomMargin = 0;      ///< extra height of the last row
};

} // namespace Tavrel::Glimmar::GlimmarPresets
