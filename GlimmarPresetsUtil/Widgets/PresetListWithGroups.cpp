#include "GlimmarPresetsUtil/Widgets/PresetListWithGroups.h"

#include "GlimmarPresetsUtil/Apply/EffectEventTracker.h"
#include "GlimmarPresetsUtil/Apply/EffectPresetApplier.h"
#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"
#include "GlimmarPresetsUtil/Settings/ConfigStore.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/PresetDelegate.h"
#include "GlimmarPresetsUtil/Widgets/PresetPropertyHelper.h"
#include "Host/Kit/FixWidgetStyle.h"
#include "Host/Kit/installLayoutController.h"
#include "Host/Kit/TComboBox.h"
#include "Host/Kit/TStackedWidget.h"
#include "Host/Kit/TesselComboBoxDelegate.h"
#include "Host/Kit/convertScrollBarsToTessel.h"
#include "Host/Kit/installFadeOverlays.h"
#include "Interfaces/ICoreFactories.h"

#include <glog/logging.h>

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cstdlib>
#include <exception>

namespace Tavrel::Glimmar::GlimmarPresets {

namespace {

constexpr TranslatableContext ADJUSTMENTS_AUTO("editor.adjustmentsTool.auto");
constexpr TranslatableContext EFFECTS_CATEGORIES("tools_effects_categories");

/// Shortens a wheel notch to a quarter of a tile, so that the list moves in
/// steps a user can follow.
class WheelScrollBar : public QScrollBar {
public:
    ~WheelScrollBar() override = default;

    int wheelStep = 0;

protected:
    void wheelEvent(QWheelEvent* e) override
    {
        const int dy = e->angleDelta().y();
        const int step = (dy < 0 ? -1 : 1) * wheelStep / 4;
        if (std::abs(step) >= std::abs(dy)) {
            QScrollBar::wheelEvent(e);
            return;
        }
        QWheelEvent shortened(e->position(), e->globalPosition(), e->pixelDelta(), QPoint(0, step), e->buttons(),
                              e->modifiers(), e->phase(), e->inverted(), Qt::MouseEventNotSynthesized);
        QScrollBar::wheelEvent(&shortened);
        e->setAccepted(shortened.isAccepted());
    }
};

QVBoxLayout* MakeColumn(QWidget* parent, const char* name, int spacing, const QMargins& margins)
{
    auto* layout = new QVBoxLayout(parent);
    layout->setObjectName(QString::fromLatin1(name));
    layout->setSpacing(spacing);
    layout->setContentsMargins(margins);
    return layout;
}

} // namespace

const TranslatableString PresetListWithGroups::ALL_PRESETS(ADJUSTMENTS_AUTO, "All presets");
const TranslatableString PresetListWithGroups::CUSTOM(ADJUSTMENTS_AUTO, "Custom");
const TranslatableString PresetListWithGroups::ALL_EFFECTS(EFFECTS_CATEGORIES, "All effects");
const TranslatableString PresetListWithGroups::FAVOURITE_EFFECTS(EFFECTS_CATEGORIES, "Favourite effects");
const TranslatableString PresetListWithGroups::POPULAR_EFFECTS(EFFECTS_CATEGORIES, "Popular effects");

/// The list's widgets; they belong to the list, the record only points at them.
struct PresetListWithGroups::Form {
    QVBoxLayout* verticalLayout = nullptr;
    QVBoxLayout* comboboxLayout = nullptr;
    Tessel::TComboBox* groupsComboBox = nullptr;
    Tessel::TStackedWidget* stackedWidget = nullptr;
    QWidget* emptyPage = nullptr;
    QVBoxLayout* verticalLayout_2 = nullptr;
    QLabel* emptyLabel = nullptr;
    QWidget* viewPage = nullptr;
    QVBoxLayout* verticalLayout_3 = nullptr;
    QListView* view = nullptr;

    void Setup(QFrame* list);
};

void PresetListWithGroups::Form::Setup(QFrame* list)
{
    if (list->objectName().isEmpty())
        list->setObjectName(QStringLiteral("PresetListWithGroups"));
    list->resize(205, 308);
    list->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    list->setWindowTitle(QString());

    verticalLayout = MakeColumn(list, "verticalLayout", 12, QMargins(0, 0, 0, 0));
    comboboxLayout = new QVBoxLayout();
    comboboxLayout->setObjectName(QStringLiteral("comboboxLayout"));
    comboboxLayout->setSpacing(0);
    comboboxLayout->setContentsMargins(16, 0, 22, 0);
    groupsComboBox = new Tessel::TComboBox(list);
    groupsComboBox->setObjectName(QStringLiteral("groupsComboBox"));
    groupsComboBox->setMaxVisibleItems(8);
    comboboxLayout->addWidget(groupsComboBox);
    verticalLayout->addLayout(comboboxLayout);

    stackedWidget = new Tessel::TStackedWidget(list);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    emptyPage = new QWidget();
    emptyPage->setObjectName(QStringLiteral("emptyPage"));
    verticalLayout_2 = MakeColumn(emptyPage, "verticalLayout_2", 0, QMargins(16, 10, 22, 0));
    emptyLabel = new QLabel(emptyPage);
    emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    emptyLabel->setText(QString());
    emptyLabel->setScaledContents(false);
    emptyLabel->setWordWrap(true);
    verticalLayout_2->addWidget(emptyLabel, 0, Qt::AlignTop);
    stackedWidget->addWidget(emptyPage);

    viewPage = new QWidget();
    viewPage->setObjectName(QStringLiteral("viewPage"));
    verticalLayout_3 = MakeColumn(viewPage, "verticalLayout_3", 0, QMargins(12, 0, 0, 0));
    view = new QListView(viewPage);
    view->setObjectName(QStringLiteral("view"));
    view->setFocusPolicy(Qt::NoFocus);
    view->setFrameShape(QFrame::NoFrame);
    view->setFrameShadow(QFrame::Plain);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setEditTriggers(QAbstractItemView::CurrentChanged);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setItemAlignment(Qt::AlignTop);
    // The view would scroll back to its current row, the tile that last had the focus, whenever
    // a tile grows; the list scrolls itself to the tile that matters.
    view->setAutoScroll(false);
    verticalLayout_3->addWidget(view);
    stackedWidget->addWidget(viewPage);
    verticalLayout->addWidget(stackedWidget);

    QMetaObject::connectSlotsByName(list);
}

struct PresetListWithGroups::Impl {
    std::unique_ptr<Form> form;
    std::unique_ptr<ModelPresetGroup> groupModel;
    std::unique_ptr<EffectPresetApplier> applier;
    std::unique_ptr<EffectPreviewGenerator> previewGenerator;
    std::unique_ptr<EffectEventTracker> eventTracker;
    std::string userConfigPath;
    QMetaObject::Connection groupChoice; ///< the selector's choice of group
    QMetaObject::Connection focusFollow; ///< the application's focus, which the view follows
};

PresetListWithGroups::PresetListWithGroups(const ICoreFactories* coreFactories, const Initializer& initializer,
                                           QWidget* parent)
    : QFrame(parent), m_impl(std::make_unique<Impl>())
{
    m_impl->form = std::make_unique<Form>();
    m_impl->groupModel = std::make_unique<ModelPresetGroup>(initializer.groupSlots, initializer.itemContext,
                                                            initializer.previewFolder, nullptr);
    m_impl->applier = std::make_unique<EffectPresetApplier>(*initializer.packageInfo, this);
    m_impl->previewGenerator = std::make_unique<EffectPreviewGenerator>(this);
    m_impl->eventTracker = std::make_unique<EffectEventTracker>();
    m_impl->userConfigPath = initializer.userConfigPath;

    BuildForm(coreFactories);
    m_impl->applier->SetPackageName(initializer.packageName);

    PresetConfig::Config builtIn;
    PresetConfig::Config user;
    ConfigStore::Read(initializer.resourceModule, initializer.configName, initializer.userConfigPath, builtIn, user);
    m_impl->groupModel->Populate(builtIn, user);

    ModelPresetGroup* groups = m_impl->groupModel.get();
    Tessel::TComboBox* selector = m_impl->form->groupsComboBox;
    selector->setModel(groups);
    const QModelIndexList popular =
        groups->match(groups->index(0, 0), ModelPresetGroup::UntranslatedNameRole,
                      QString::fromStdString(POPULAR_EFFECTS.getUntranslated()), 1,
                      Qt::MatchStartsWith | Qt::MatchWrap);
    selector->setCurrentIndex(popular.isEmpty() ? 0 : popular.first().row());
    connect(groups, &ModelPresetGroup::activateGroup, this,
            [selector](const QModelIndex& index) { selector->setCurrentIndex(index.row()); });
    connect(groups, &QAbstractItemModel::dataChanged, this, &PresetListWithGroups::OnGroupDataChanged);
}

PresetListWithGroups::PresetListWithGroups(const std::tuple<const ICoreFactories*, const Initializer&>& arguments,
                                           QWidget* parent)
    : PresetListWithGroups(std::get<0>(arguments), std::get<1>(arguments), parent)
{
}

PresetListWithGroups::~PresetListWithGroups()
{
    // The editor may have placed the selector outside the list, where it can outlive the group
    // model or be gone already: it must not call back into a list that is taking that model down.
    disconnect(m_impl->groupChoice);
    // The tiles lose their focus as they go, after the form.
    disconnect(m_impl->focusFollow);
    if (!m_impl->userConfigPath.empty()) {
        try {
            PresetConfig::Config user;
            m_impl->groupModel->CollectUserConfig(user);
            ConfigStore::WriteUser(m_impl->userConfigPath, user);
        } catch (const std::exception& e) {
            LOG(WARNING) << "failed to collect the user presets: " << e.what();
        }
    }
    m_impl->eventTracker.reset();
    m_impl->previewGenerator.reset();
    m_impl->applier.reset();
    m_impl->groupModel.reset();
    m_impl->form.reset();
}

void PresetListWithGroups::BuildForm(const ICoreFactories* coreFactories)
{
    Form& form = *m_impl->form;
    form.Setup(this);

    PresetPropertyHelper style(nullptr);
    style.Prepare();
    const int margin = style.PreviewMargin;
    m_impl->previewGenerator->SetPreviewSize(
        QSize(style.PreviewWidth - 2 * margin, style.PreviewHeightNormal - 2 * margin));
    m_impl->previewGenerator->SetPreviewRounding(style.PreviewRounding);

    m_impl->groupChoice = connect(form.groupsComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                                  &PresetListWithGroups::OnCurrentGroupChange);

    auto* delegate =
        new PresetDelegate(coreFactories ? coreFactories->GetResourceManager() : nullptr, form.view, form.view);
    delegate->SetPreviewWidth(style.PreviewWidth);
    delegate->SetPreviewHeightNormal(style.PreviewHeightNormal);
    delegate->SetPreviewHeightSelected(style.PreviewHeightSelected);
    delegate->SetPreviewSpacing(style.PreviewSpacing);
    delegate->SetPreviewMargins(QMargins(margin, margin, margin, margin));
    delegate->SetLastBottomMargin(style.LastBottomMargin);
    form.view->setItemDelegate(delegate);

    auto* wheelBar = new WheelScrollBar();
    wheelBar->wheelStep = style.PreviewHeightNormal;
    form.view->setVerticalScrollBar(wheelBar);

    QAbstractItemView* popup = form.groupsComboBox->view();
    Tessel::convertScrollBarsToTessel(popup);
    popup->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    form.groupsComboBox->setItemDelegate(new Tessel::TesselComboBoxDelegate(form.groupsComboBox, true));
    Util::FixWidgetStyle::Apply(form.groupsComboBox);

    form.stackedWidget->setCurrentWidget(form.viewPage);
    Util::installLayoutController(form.emptyPage);

    Tessel::convertScrollBarsToTessel(form.view);
    Tessel::installFadeOverlays(form.view, Qt::Vertical);

    // The focus, moved by the user into a tile, takes that tile into view; a focus that moves on
    // because its tile scrolled away, or comes back with the window, moves nothing. Up and Down
    // on the part of a tile that has it go to the tile above or below.
    m_impl->focusFollow = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        QWidget* tile = TileOf(now);
        if (!tile)
            return;
        now->installEventFilter(this);
        if (old && old->isVisible())
            m_impl->form->view->scrollTo(m_impl->form->view->indexAt(tile->geometry().center()),
                                         QAbstractItemView::EnsureVisible);
    });
}

QWidget* PresetListWithGroups::TileOf(QWidget* widget) const
{
    QWidget* viewport = m_impl->form->view->viewport();
    while (widget && widget->parentWidget() != viewport)
        widget = widget->parentWidget();
    return widget;
}

bool PresetListWithGroups::eventFilter(QObject* watched, QEvent* event)
{
    // The slider keeps its arrows for the intensity.
    if (event->type() == QEvent::KeyPress && !qobject_cast<QAbstractSlider*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int rows = key->key() == Qt::Key_Down ? 1 : key->key() == Qt::Key_Up ? -1 : 0;
        if (rows != 0 && key->modifiers() == Qt::NoModifier && MoveFocus(rows))
            return true;
    }
    return QFrame::eventFilter(watched, event);
}

bool PresetListWithGroups::MoveFocus(int rows)
{
    QListView& view = *m_impl->form->view;
    QWidget* tile = TileOf(QApplication::focusWidget());
    if (!tile)
        return false;
    const QModelIndex target = view.model()->index(view.indexAt(tile->geometry().center()).row() + rows, 0);
    if (!target.isValid())
        return false;
    view.scrollTo(target, QAbstractItemView::EnsureVisible);
    // Tiles open as their rows are painted.
    if (!view.indexWidget(target))
        view.viewport()->repaint();
    QWidget* next = view.indexWidget(target);
    if (auto* picture = next ? next->findChild<QWidget*>(QStringLiteral("activateButton")) : nullptr)
        picture->setFocus(Qt::TabFocusReason);
    return true;
}

void PresetListWithGroups::SetWorkspaceController(const std::weak_ptr<PhotoCore::IWorkspaceController>& controller)
{
    IWorkspaceUser::SetWorkspaceController(controller);
    m_impl->applier->SetWorkspaceController(controller);
    m_impl->previewGenerator->SetWorkspaceController(controller);
    m_impl->eventTracker->SetWorkspaceController(controller);
}

void PresetListWithGroups::OnCurrentGroupChange(int row) { ShowGroup(row, false); }

void PresetListWithGroups::ShowGroup(int row, bool replaceModel)
{
    ModelPresetGroup& groups = *m_impl->groupModel;
    Form& form = *m_impl->form;
    const QModelIndex group = groups.index(row, 0);
    if (!group.isValid())
        return;
    m_impl->applier->SetPresetGroupIndex(row);
    auto* model = group.data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
    ShowPageFor(model);
    form.emptyLabel->setText(group.data(ModelPresetGroup::HintRole).toString());

    if (QAbstractItemModel* shown = form.view->model()) {
        disconnect(shown, &QAbstractItemModel::rowsRemoved, nullptr, nullptr);
        disconnect(shown, &QAbstractItemModel::rowsInserted, nullptr, nullptr);
        disconnect(shown, &QAbstractItemModel::dataChanged, nullptr, nullptr);
    }
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this, model] { ShowPageFor(model); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this, model] { ShowPageFor(model); });

    if (replaceModel || groups.data(QModelIndex(), ModelPresetGroup::CurrentGroupRole).toInt() != row) {
        groups.setData(QModelIndex(), row, ModelPresetGroup::CurrentGroupRole);
        model->setData(QModelIndex(), QVariant::fromValue(m_impl->applier.get()), ModelPreset::ApplierRole);
        model->setData(QModelIndex(), QVariant::fromValue(m_impl->previewGenerator.get()),
                       ModelPreset::PreviewGeneratorRole);
        model->setData(QModelIndex(), QVariant::fromValue(m_impl->eventTracker.get()), ModelPreset::EventTrackerRole);
        form.view->setModel(model);
    }
    // A tile grows when applied; its slider and buttons must not end below the view. The view
    // hears of the change first, having connected to this model before.
    connect(model, &QAbstractItemModel::dataChanged, this, [this, model](const QModelIndex& first, const QModelIndex& last) {
        for (int row = first.row(); row <= last.row(); ++row) {
            const QModelIndex index = model->index(row, 0);
            if (index.data(ModelPreset::ApplyRole).toBool())
                m_impl->form->view->scrollTo(index, QAbstractItemView::EnsureVisible);
        }
    });

    const QModelIndexList applied =
        model->match(model->index(0, 0), ModelPreset::ApplyRole, true, 1, Qt::MatchStartsWith | Qt::MatchWrap);
    if (applied.isEmpty())
        form.view->scrollToTop();
    else
        form.view->scrollTo(applied.first(), QAbstractItemView::EnsureVisible);
}

void PresetListWithGroups::ShowPageFor(const QAbstractItemModel* model)
{
    Form& form = *m_impl->form;
    form.stackedWidget->setCurrentWidget(model->rowCount() > 0 ? form.viewPage : form.emptyPage);
}

void PresetListWithGroups::OnGroupDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                              const QVector<int>& roles)
{
    // The group model replaces a group's whole preset model (favourites); the shown
    // group then has to show, and serve, the new one.
    ModelPresetGroup& groups = *m_impl->groupModel;
    const int current = groups.data(QModelIndex(), ModelPresetGroup::CurrentGroupRole).toInt();
    if (current < topLeft.row() || current > bottomRight.row())
        return;
    if (!roles.isEmpty() && !roles.contains(ModelPresetGroup::GroupModelRole))
        return;
    const auto* model = groups.index(current, 0).data(ModelPresetGroup::GroupModelRole).value<QAbstractListModel*>();
    if (model != m_impl->form->view->model())
        ShowGroup(current, true);
}

void PresetListWithGroups::ActivatePreset(const std::string& id, const PhotoCore::EffectsSettings& settings)
{
    ModelPresetGroup& groups = *m_impl->groupModel;
    const QVariant request = QVariant::fromValue(ModelPresetGroup::PresetParam{&id, &settings});
    const int groupIndex = settings.Package().presetGroupIndex;
    if (groupIndex == -1 || groupIndex == groups.data(QModelIndex(), ModelPresetGroup::CurrentGroupRole).toInt()) {
        const QModelIndex current = m_impl->form->view->currentIndex();
        if (current.isValid() && current.data(ModelPreset::IdRole).toString() == QString::fromStdString(id))
            return;
    }
    groups.setData(QModelIndex(), request, ModelPresetGroup::ActivatePresetRole);
}

void PresetListWithGroups::ActivateCurrentPreset()
{
    const auto controller = GetWorkspaceController(true);
    const PhotoCore::DrawerEntry entry = controller->GetDrawer()->GetEntry(-1);
    const PhotoCore::EffectsSettingsPackage& package = entry.settings.Package();
    EffectPresetApplier& applier = *m_impl->applier;
    applier.SetId(package.GetPresetName());
    if (!package.GetPresetName().empty() && package.GetPackageName() == applier.GetPackageName()) {
        ActivatePreset(package.GetPresetName(), entry.settings);
        return;
    }
    if (!entry.settings.IsReset())
        applier.SetResetIndex(EffectPresetApplier::NO_INDEX);
    ActivatePreset(std::string(), PhotoCore::EffectsSettings());
}

void PresetListWithGroups::ApplyCurrentPreset()
{
    m_impl->groupModel->setData(QModelIndex(), QVariant(), ModelPresetGroup::ConfirmAppliedRole);
}

void PresetListWithGroups::DiscardCurrentPreset()
{
    m_impl->groupModel->setData(QModelIndex(), QVariant(), ModelPresetGroup::ResetAppliedRole);
}

void PresetListWithGroups::ResetAll()
{
    m_impl->groupModel->setData(QModelIndex(), QVariant(), ModelPresetGroup::ResetAllRole);
    ActivatePreset(std::string(), PhotoCore::EffectsSettings());
}

bool PresetListWithGroups::HasChanges() const { return !m_impl->applier->GetId().empty(); }

bool PresetListWithGroups::AddUserPreset(const QString& name, const std::string& statisticsName,
                                         const PhotoCore::EffectsSettings& settings, bool wrapWithBlender)
{
    if (!m_impl->groupModel->AddUserPreset(name, statisticsName, settings, wrapWithBlender))
        return false;
    m_impl->form->groupsComboBox->setCurrentIndex(0);
    return true;
}

QWidget* PresetListWithGroups::GetGroupsCombobox() const { return m_impl->form->groupsComboBox; }

void PresetListWithGroups::ScrollToTop() { m_impl->form->view->scrollToTop(); }

void PresetListWithGroups::Update()
{
    m_impl->groupModel->ForgetPreviews();
    m_impl->groupModel->Refresh(-1);
}

} // namespace Tavrel::Glimmar::GlimmarPresets
