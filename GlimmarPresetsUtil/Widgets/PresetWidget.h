#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Interfaces/IRemoteResource.h"

#include <QMargins>
#include <QSize>
#include <QWidget>

class QAction;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace Tavrel {
class ClickSlider;
class ElidedLabel;
class ToolButtonWithCustomMenu;
class ToolButtonWithImage;
namespace Tessel {
class TesselProgressCircular;
}
} // namespace Tavrel

namespace Tavrel::Glimmar::GlimmarPresets {

/// The tile of one preset: a picture button with the preview and the name, a
/// favourite heart (configured presets) or a settings menu (user presets), and,
/// while applied, an intensity slider and apply/cancel buttons.
///
/// The tile knows nothing of presets. It records what the user did last
/// (GetLastAction) and emits editingFinish() right after; the values set from
/// outside (SetApplied, SetIntensity, SetFavourite) never count as actions.
class GLIMMARPRESETSUTIL_EXPORT PresetWidget : public QWidget {
    Q_OBJECT

public:
    enum EditAction {
        NoAction = 0,
        Activate = 1,          ///< the picture button became checked
        Apply = 2,             ///< the apply button was clicked
        Reset = 3,             ///< the picture button became unchecked, or cancel was clicked
        IntensityChanging = 4, ///< the slider moved
        IntensityChanged = 5,  ///< the slider was released
        FavouriteChanged = 6,  ///< the heart (or its menu entry) toggled
        Delete = 8,            ///< the settings menu's delete entry
        Rename = 9,            ///< the settings menu's rename entry
    };
    Q_ENUM(EditAction)

    /// margins frame the preview inside the picture button; a user preset gets the
    /// settings menu instead of the heart.
    PresetWidget(const QSize& previewSize, const QMargins& margins, bool isUserPreset, QWidget* parent = nullptr,
                 QFlags<Qt::WindowType> flags = {});
    ~PresetWidget() override;

    void SetPreview(const QPixmap& pixmap);
    void SetPresetName(const QString& name);
    void SetIntensity(int minimum, int maximum, int value);
    int GetIntensity() const;
    void SetFavourite(bool favourite);
    bool IsFavourite() const;
    /// Checks the picture button and shows the apply buttons when applied, and the
    /// slider as well with showIntensity; the button's "Intensity" property follows.
    void SetApplied(bool applied, bool showIntensity);
    /// Shows the download's progress in the header; a failed download disables the
    /// picture button for good and offers a retry. The tile's "downloadState" property
    /// ("loading", "loaded", "failed") lets the style sheet show the state.
    void SetDownloadableStatus(const IRemoteResource::State& state);
    EditAction GetLastAction() const;

signals:
    void editingFinish();
    /// The user asked to download a failed preset again. This tile stays disabled: a new
    /// tile has to follow the new try.
    void retryRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm(bool isUserPreset);
    void BuildFailedFrame();
    void Connect();
    void Report(EditAction action);
    void UpdateFavouriteTexts(bool favourite);
    void OnHoverChanged(bool hovered);
    /// The heart and menu show while the picture is hovered or has the keyboard; a favourite
    /// shows its mark at rest.
    void UpdateSettingsFrame();
    void ShowIntensityTip(int value);
    void SetDownloadLook(const QString& state);

    QSize m_previewSize;
    QMargins m_margins;
    EditAction m_lastAction = NoAction;
    bool m_hovered = false;

    QVBoxLayout* m_verticalLayout2 = nullptr;
    ToolButtonWithImage* m_activateButton = nullptr;
    QVBoxLayout* m_verticalLayout = nullptr;
    QStackedWidget* m_headerStackedWidget = nullptr;
    QWidget* m_headerPage = nullptr;
    ElidedLabel* m_presetNameLabel = nullptr;
    QLabel* m_favouriteMark = nullptr;
    QFrame* m_settingsFrame = nullptr;
    QPushButton* m_favouriteButton = nullptr;
    ToolButtonWithCustomMenu* m_settingsButton = nullptr;
    QWidget* m_loadingPage = nullptr;
    ElidedLabel* m_loadLabel = nullptr;
    Tessel::TesselProgressCircular* m_progressBar = nullptr;
    QFrame* m_sliderFrame = nullptr;
    ClickSlider* m_intensitySlider = nullptr;
    QWidget* m_applyContainer = nullptr;
    QPushButton* m_resetBtn = nullptr;
    QPushButton* m_applyBtn = nullptr;
    QFrame* m_failedFrame = nullptr;
    QPushButton* m_retryButton = nullptr;
    QAction* m_favouriteAction = nullptr;
    QAction* m_renameAction = nullptr;
    QAction* m_deleteAction = nullptr;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
