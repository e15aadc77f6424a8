#include "GlimmarPresetsUtil/Widgets/PresetWidget.h"

#include "GlimmarPresetsUtil/Widgets/PresetTexts.h"

#include "Host/Kit/ApplyWidgetStyle.h"
#include "Host/Kit/ClickSlider.h"
#include "Host/Kit/ElidedLabel.h"
#include "Host/Kit/TesselProgressCircular.h"
#include "Host/Kit/ToolButtonWithCustomMenu.h"
#include "Host/Kit/ToolButtonWithImage.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QToolTip>
#include <QVBoxLayout>

namespace Tavrel::Glimmar::GlimmarPresets {

namespace {

constexpr int PROGRESS_BAR_SIDE = 16;

QString IntensityText(int value) { return PresetTexts::INTENSITY().arg(value, 0, 10, QLatin1Char(' ')); }

QString FavouriteText(bool favourite)
{
    return favourite ? PresetTexts::REMOVE_FROM_FAVORITES() : PresetTexts::ADD_TO_FAVORITE();
}

QHBoxLayout* MakeRow(QWidget* parent, const char* name, int spacing, const QMargins& margins)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setObjectName(QString::fromLatin1(name));
    layout->setSpacing(spacing);
    layout->setContentsMargins(margins);
    return layout;
}

QFrame* MakePlainFrame(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setFrameShadow(QFrame::Plain);
    return frame;
}

QPushButton* MakeChipsButton(QWidget* parent, const char* name, const QString& toolTip, const char* colorHint)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(toolTip);
    button->setProperty("styleHint", QStringLiteral("chipsButtonIcon"));
    button->setProperty("colorHint", QString::fromLatin1(colorHint));
    return button;
}

} // namespace

PresetWidget::PresetWidget(const QSize& previewSize, const QMargins& margins, bool isUserPreset, QWidget* parent,
                           QFlags<Qt::WindowType> flags)
    : QWidget(parent, flags), m_previewSize(previewSize), m_margins(margins)
{
    BuildForm(isUserPreset);
    Connect();
    m_settingsFrame->hide();
}

PresetWidget::~PresetWidget() = default;

void PresetWidget::BuildForm(bool isUserPreset)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("PresetWidget"));
    resize(628, 439);

    m_verticalLayout2 = new QVBoxLayout(this);
    m_verticalLayout2->setObjectName(QStringLiteral("verticalLayout_2"));
    m_verticalLayout2->setSpacing(4);
    m_verticalLayout2->setContentsMargins(0, 0, 0, 0);

    m_activateButton = new ToolButtonWithImage(this);
    m_activateButton->setObjectName(QStringLiteral("activateButton"));
    m_activateButton->setCheckable(true);
    m_activateButton->SetImageGrid(1, 1, m_margins, 0);
    // The picture is the preview inside its margins, never stretched; a narrower row crops it.
    // The column of picture and apply buttons is as wide as the picture and centred in the
    // row, so the apply buttons end where the picture ends at any row width.
    const QSize pictureSize = m_previewSize.grownBy(m_margins);
    m_activateButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (m_previewSize.isValid()) {
        m_activateButton->setMaximumSize(pictureSize);
        m_activateButton->setFixedHeight(pictureSize.height());
    }
    m_verticalLayout2->setAlignment(Qt::AlignHCenter);
    m_verticalLayout2->addWidget(m_activateButton);

    m_verticalLayout = new QVBoxLayout(m_activateButton);
    m_verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_verticalLayout->setSpacing(0);
    m_verticalLayout->setContentsMargins(18, 18, 18, 18);

    m_headerStackedWidget = new QStackedWidget(m_activateButton);
    m_headerStackedWidget->setObjectName(QStringLiteral("headerStackedWidget"));

    m_headerPage = new QWidget();
    m_headerPage->setObjectName(QStringLiteral("headerPage"));
    QHBoxLayout* headerLayout = MakeRow(m_headerPage, "horizontalLayout_2", 0, QMargins());
    m_presetNameLabel = new ElidedLabel(QStringLiteral("Preset Name"), m_headerPage);
    m_presetNameLabel->setObjectName(QStringLiteral("presetNameLabel"));
    m_presetNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    headerLayout->addWidget(m_presetNameLabel, 0, Qt::AlignTop);
    headerLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_settingsFrame = MakePlainFrame(m_headerPage, "settingsFrame");
    QHBoxLayout* settingsLayout = MakeRow(m_settingsFrame, "horizontalLayout_4", 0, QMargins());
    m_favouriteButton = new QPushButton(QStringLiteral("favour"), m_settingsFrame);
    m_favouriteButton->setObjectName(QStringLiteral("favouriteButton"));
    m_favouriteButton->setCheckable(true);
    m_favouriteButton->setToolTip(PresetTexts::ADD_TO_FAVORITE());
    settingsLayout->addWidget(m_favouriteButton);
    m_settingsButton = new ToolButtonWithCustomMenu(m_settingsFrame);
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setText(QString());
    settingsLayout->addWidget(m_settingsButton);
    headerLayout->addWidget(m_settingsFrame);
    m_favouriteMark = new QLabel(m_headerPage);
    m_favouriteMark->setObjectName(QStringLiteral("favouriteMark"));
    m_favouriteMark->hide();
    headerLayout->addWidget(m_favouriteMark, 0, Qt::AlignTop);
    m_headerStackedWidget->addWidget(m_headerPage);

    m_loadingPage = new QWidget();
    m_loadingPage->setObjectName(QStringLiteral("loadingPage"));
    QHBoxLayout* loadingLayout = MakeRow(m_loadingPage, "horizontalLayout_3", 0, QMargins());
    m_loadLabel = new ElidedLabel(QStringLiteral("%"), m_loadingPage);
    m_loadLabel->setObjectName(QStringLiteral("loadLabel"));
    loadingLayout->addWidget(m_loadLabel, 0, Qt::AlignTop);
    loadingLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_progressBar = new Tessel::TesselProgressCircular(m_loadingPage);
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_progressBar->setFixedSize(PROGRESS_BAR_SIDE, PROGRESS_BAR_SIDE);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFormat(QString());
    loadingLayout->addWidget(m_progressBar);
    m_headerStackedWidget->addWidget(m_loadingPage);

    m_verticalLayout->addWidget(m_headerStackedWidget, 0, Qt::AlignTop);
    m_verticalLayout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_sliderFrame = MakePlainFrame(m_activateButton, "sliderFrame");
    QHBoxLayout* sliderLayout = MakeRow(m_sliderFrame, "horizontalLayout_5", 0, QMargins());
    m_intensitySlider = new ClickSlider(Qt::Horizontal, m_sliderFrame);
    m_intensitySlider->setObjectName(QStringLiteral("intensitySlider"));
    m_intensitySlider->setProperty("tipYOffest", QStringLiteral("5"));
    sliderLayout->addWidget(m_intensitySlider);
    m_verticalLayout->addWidget(m_sliderFrame);

    // As wide as the picture, its buttons on the right. An item that may grow wider than the
    // picture (the spacer below included) would widen the centred column.
    m_applyContainer = new QWidget(this);
    m_applyContainer->setObjectName(QStringLiteral("applyContainer"));
    m_applyContainer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    if (m_previewSize.isValid())
        m_applyContainer->setMaximumWidth(pictureSize.width());
    QHBoxLayout* applyLayout = MakeRow(m_applyContainer, "horizontalLayout", 4, QMargins(0, 0, 4, 0));
    applyLayout->addStretch();
    m_resetBtn = MakeChipsButton(m_applyContainer, "resetBtn", PresetTexts::CANCEL_EFFECT(), "levelZeroChips");
    applyLayout->addWidget(m_resetBtn);
    m_applyBtn = MakeChipsButton(m_applyContainer, "applyBtn", PresetTexts::APPLY_EFFECT(), "levelOneChips");
    applyLayout->addWidget(m_applyBtn);
    m_verticalLayout2->addWidget(m_applyContainer);
    m_verticalLayout2->addItem(new QSpacerItem(0, 0, QSizePolicy::Maximum, QSizePolicy::Expanding));

    m_sliderFrame->hide();
    m_applyContainer->hide();
    m_settingsButton->setVisible(isUserPreset);
    m_favouriteButton->setVisible(!isUserPreset);
    m_headerStackedWidget->setCurrentWidget(m_headerPage);

    QMenu* menu = m_settingsButton->GetMenu();
    m_favouriteAction = menu->addAction(PresetTexts::ADD_EFFECT_TO_FAVOURITE());
    m_renameAction = menu->addAction(PresetTexts::RENAME_ENTRY());
    m_deleteAction = menu->addAction(PresetTexts::DELETE_ENTRY());

    // Buttons take the focus from the keyboard only, so that their focus ring means it is there.
    m_favouriteButton->setFocusPolicy(Qt::TabFocus);
    m_resetBtn->setFocusPolicy(Qt::TabFocus);
    m_applyBtn->setFocusPolicy(Qt::TabFocus);
    BuildFailedFrame();
    for (QWidget* watched : {static_cast<QWidget*>(m_activateButton), static_cast<QWidget*>(m_favouriteButton),
                             static_cast<QWidget*>(m_settingsButton)})
        watched->installEventFilter(this);
}

void PresetWidget::BuildFailedFrame()
{
    // Over the picture but not inside it: the disabled picture button would disable a retry
    // button of its own.
    m_failedFrame = MakePlainFrame(this, "failedFrame");
    auto* column = new QVBoxLayout(m_failedFrame);
    column->setObjectName(QStringLiteral("failedLayout"));
    column->setSpacing(6);
    column->setContentsMargins(18, 0, 18, 12);
    column->addStretch();
    QHBoxLayout* line = MakeRow(nullptr, "failedLineLayout", 6, QMargins());
    auto* icon = new QLabel(m_failedFrame);
    icon->setObjectName(QStringLiteral("failedIcon"));
    line->addWidget(icon);
    auto* label = new ElidedLabel(PresetTexts::DOWNLOAD_FAILED(), m_failedFrame);
    label->setObjectName(QStringLiteral("failedLabel"));
    line->addWidget(label, 1);
    column->addLayout(line);
    m_retryButton = new QPushButton(PresetTexts::RETRY(), m_failedFrame);
    m_retryButton->setObjectName(QStringLiteral("retryButton"));
    m_retryButton->setFocusPolicy(Qt::TabFocus);
    column->addWidget(m_retryButton, 0, Qt::AlignLeft);
    m_failedFrame->hide();
}

void PresetWidget::Connect()
{
    // Qt calls slots in connection order: apply and cancel collapse the tile
    // before the action is reported.
    connect(m_favouriteAction, &QAction::triggered, this, [this] {
        m_favouriteButton->toggle();
        m_favouriteAction->setText(FavouriteText(m_favouriteButton->isChecked()));
    });
    connect(m_deleteAction, &QAction::triggered, this, [this] { Report(Delete); });
    connect(m_renameAction, &QAction::triggered, this, [this] { Report(Rename); });
    connect(m_resetBtn, &QPushButton::clicked, this, [this] { SetApplied(false, false); });
    connect(m_applyBtn, &QPushButton::clicked, this, [this] { SetApplied(false, false); });
    connect(m_activateButton, &QToolButton::toggled, this,
            [this](bool checked) { Report(checked ? Activate : Reset); });
    connect(m_favouriteButton, &QPushButton::toggled, this, [this](bool checked) {
        m_lastAction = FavouriteChanged;
        m_favouriteButton->setToolTip(FavouriteText(checked));
        emit editingFinish();
    });
    connect(m_applyBtn, &QPushButton::clicked, this, [this] { Report(Apply); });
    connect(m_resetBtn, &QPushButton::clicked, this, [this] { Report(Reset); });
    connect(m_intensitySlider, &QSlider::valueChanged, this, [this](int value) {
        Report(IntensityChanging);
        ShowIntensityTip(value);
        // Keys and the wheel change the value in one step: it is done at once, as a drag is when
        // the slider is released.
        if (!m_intensitySlider->isSliderDown()) {
            Report(IntensityChanged);
            m_intensitySlider->setToolTip(IntensityText(value));
        }
    });
    connect(m_intensitySlider, &QSlider::sliderReleased, this, [this] {
        Report(IntensityChanged);
        m_intensitySlider->setToolTip(IntensityText(m_intensitySlider->value()));
    });
    connect(m_activateButton, &ToolButtonWithImage::hoverEnter, this, [this] { OnHoverChanged(true); });
    connect(m_activateButton, &ToolButtonWithImage::hoverLeave, this, [this] { OnHoverChanged(false); });
    connect(m_retryButton, &QPushButton::clicked, this, &PresetWidget::retryRequested);
}

void PresetWidget::ShowIntensityTip(int value)
{
    // A drag shows the value by the pointer; keys and the wheel move the handle alone, so it
    // shows by the handle.
    const QPoint at = m_intensitySlider->isSliderDown()
        ? QCursor::pos()
        : m_intensitySlider->mapToGlobal(m_intensitySlider->HandleRect().center());
    const QPoint offset(0, property("typYOffest").toInt());
    QToolTip::showText(at + offset, IntensityText(value), m_intensitySlider);
}

void PresetWidget::Report(EditAction action)
{
    m_lastAction = action;
    emit editingFinish();
}

void PresetWidget::SetPreview(const QPixmap& pixmap) { m_activateButton->SetPreview(pixmap, 0, 0); }

void PresetWidget::SetPresetName(const QString& name) { m_presetNameLabel->setText(name); }

void PresetWidget::SetIntensity(int minimum, int maximum, int value)
{
    const QSignalBlocker blocker(m_intensitySlider);
    m_intensitySlider->setRange(minimum, maximum);
    m_intensitySlider->setValue(value);
    m_intensitySlider->setToolTip(IntensityText(value));
}

int PresetWidget::GetIntensity() const { return m_intensitySlider->value(); }

void PresetWidget::SetFavourite(bool favourite)
{
    const QSignalBlocker blocker(m_favouriteButton);
    m_favouriteButton->setChecked(favourite);
    UpdateFavouriteTexts(favourite);
    UpdateSettingsFrame();
}

void PresetWidget::UpdateFavouriteTexts(bool favourite)
{
    m_favouriteButton->setToolTip(FavouriteText(favourite));
    m_favouriteAction->setText(FavouriteText(favourite));
}

bool PresetWidget::IsFavourite() const { return m_favouriteButton->isChecked(); }

void PresetWidget::SetApplied(bool applied, bool showIntensity)
{
    const QSignalBlocker blocker(m_activateButton);
    m_activateButton->setChecked(applied);
    m_sliderFrame->setVisible(applied && showIntensity);
    m_applyContainer->setVisible(applied);
    updateGeometry();
    Util::ApplyWidgetStyle(m_activateButton, applied && showIntensity ? QStringLiteral("true") : QStringLiteral("false"),
                           "Intensity");
}

void PresetWidget::SetDownloadableStatus(const IRemoteResource::State& state)
{
    if (state.status == IRemoteResource::Loaded) {
        m_headerStackedWidget->setCurrentWidget(m_headerPage);
        setToolTip(QString());
        SetDownloadLook(QStringLiteral("loaded"));
        return;
    }
    m_headerStackedWidget->setCurrentWidget(m_loadingPage);
    const int percent = static_cast<int>(state.progress * 100.0);
    m_progressBar->setVisible(percent >= 1);
    if (state.status != IRemoteResource::Failed) {
        m_loadLabel->setText(PresetTexts::LOADED().arg(percent, 0, 10, QLatin1Char(' ')));
        m_progressBar->setValue(percent);
        SetDownloadLook(QStringLiteral("loading"));
        return;
    }
    m_loadLabel->setText(m_presetNameLabel->text());
    setToolTip(PresetTexts::DOWNLOAD_PROBLEM().arg(PresetTexts::EFFECT(), 0, QLatin1Char(' ')));
    m_activateButton->setEnabled(false);
    m_failedFrame->setGeometry(m_activateButton->geometry());
    m_failedFrame->show();
    SetDownloadLook(QStringLiteral("failed"));
}

void PresetWidget::SetDownloadLook(const QString& state)
{
    // A tile whose download failed cannot be activated any more, whatever comes later.
    Util::ApplyWidgetStyle(this, m_failedFrame->isHidden() ? state : QStringLiteral("failed"), "downloadState");
}

PresetWidget::EditAction PresetWidget::GetLastAction() const { return m_lastAction; }

void PresetWidget::OnHoverChanged(bool hovered)
{
    m_hovered = hovered;
    UpdateSettingsFrame();
}

void PresetWidget::UpdateSettingsFrame()
{
    const QWidget* focus = QApplication::focusWidget();
    const bool keyboardHere = focus && (focus == m_activateButton || m_settingsFrame->isAncestorOf(focus));
    m_settingsFrame->setVisible(m_hovered || keyboardHere);
    m_favouriteMark->setVisible(m_settingsFrame->isHidden() && !m_favouriteButton->isHidden() &&
                                m_favouriteButton->isChecked());
}

bool PresetWidget::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (watched == m_activateButton)
            m_failedFrame->setGeometry(m_activateButton->geometry());
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut: // the widget taking the focus has it already
        UpdateSettingsFrame();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Tavrel::Glimmar::GlimmarPresets
