#include "GlimmarPresetsUtil/Widgets/PresetDelegate.h"

#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/ModelPreset.h"
#include "GlimmarPresetsUtil/Widgets/PresetTexts.h"
#include "GlimmarPresetsUtil/Widgets/PresetWidget.h"
#include "Host/Kit/ButtonColorProperty.h"
#include "Host/Kit/DownloadableWatcher.h"
#include "Host/Kit/ElemsConfig.h"
#include "Host/Kit/InputNameDialog.h"
#include "Host/Kit/SpontaneousDialog.h"
#include "Host/Kit/TesselAlertBox.h"
#include "Interfaces/IResourceManager.h"

#include <QAbstractItemView>
#include <QPixmap>

#include <set>

namespace Tavrel::Glimmar::GlimmarPresets {

struct PresetDelegate::Impl {
    IResourceManager* resourceManager = nullptr;
    QAbstractItemView* view = nullptr;
    std::set<int> openRows;
    int width = 1;
    int normalHeight = 1;
    int appliedHeight = 1;
    int spacing = 0;
    QMargins margins;
    int lastBottomMargin = 0;

    void Delete(QAbstractItemModel* model, const QModelIndex& index) const;
    void Rename(QAbstractItemModel* model, const QModelIndex& index) const;
    void Retry(const QModelIndex& index) const;
};

PresetDelegate::PresetDelegate(IResourceManager* resourceManager, QAbstractItemView* view, QObject* parent)
    : QStyledItemDelegate(parent), m_impl(std::make_unique<Impl>())
{
    m_impl->resourceManager = resourceManager;
    m_impl->view = view;
}

PresetDelegate::~PresetDelegate() = default;

void PresetDelegate::SetPreviewWidth(int width) { m_impl->width = width; }
void PresetDelegate::SetPreviewHeightNormal(int height) { m_impl->normalHeight = height; }
void PresetDelegate::SetPreviewHeightSelected(int height) { m_impl->appliedHeight = height; }
void PresetDelegate::SetPreviewSpacing(int spacing) { m_impl->spacing = spacing; }
void PresetDelegate::SetPreviewMargins(const QMargins& margins) { m_impl->margins = margins; }
void PresetDelegate::SetLastBottomMargin(int margin) { m_impl->lastBottomMargin = margin; }

void PresetDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    KeepVisibleTilesOpen(index);
    QStyledItemDelegate::paint(painter, option, index);
}

void PresetDelegate::KeepVisibleTilesOpen(const QModelIndex& index) const
{
    QAbstractItemView* view = m_impl->view;
    const QRect area = view->viewport()->rect();
    const int top = view->indexAt(QPoint(0, 0)).row();

    // The last row in view: up from the bottom-left corner to the first item,
    // then in from the right edge to it.
    QPoint corner = area.bottomLeft();
    while (!view->indexAt(corner).isValid() && corner.y() > area.top())
        corner.ry() -= 1;
    corner.setX(area.width());
    while (!view->indexAt(corner).isValid() && corner.x() > area.left())
        corner.rx() -= 1;
    const int bottom = view->indexAt(corner).row();

    QAbstractItemModel* model = view->model();
    for (auto it = m_impl->openRows.begin(); it != m_impl->openRows.end();) {
        if (*it < top || *it > bottom) {
            view->closePersistentEditor(model->index(*it, 0));
            it = m_impl->openRows.erase(it);
        } else {
            ++it;
        }
    }
    if (index.row() >= top && index.row() <= bottom) {
        m_impl->openRows.insert(index.row());
        view->openPersistentEditor(index);
    }
}

QSize PresetDelegate::sizeHint(const QStyleOptionViewItem& /*option*/, const QModelIndex& index) const
{
    const bool applied = index.data(ModelPreset::ApplyRole).toBool();
    const bool last = index.row() == index.model()->rowCount() - 1;
    return QSize(m_impl->width, m_impl->spacing + (applied ? m_impl->appliedHeight : m_impl->normalHeight) +
                                    (last ? m_impl->lastBottomMargin : 0));
}

QWidget* PresetDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                      const QModelIndex& index) const
{
    auto* tile = new PresetWidget(index.data(ModelPreset::PreviewSizeRole).toSize(), m_impl->margins,
                                  index.data(ModelPreset::UserPresetRole).toBool(), parent, {});
    connect(tile, SIGNAL(editingFinish()), this, SLOT(OnEditingFinish()));
    connect(tile, &PresetWidget::retryRequested, this,
            [this, row = QPersistentModelIndex(index)] { m_impl->Retry(row); });
    return tile;
}

void PresetDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* tile = qobject_cast<PresetWidget*>(editor);
    tile->SetIntensity(index.data(ModelPreset::IntensityMinRole).toInt(),
                       index.data(ModelPreset::IntensityMaxRole).toInt(),
                       index.data(ModelPreset::IntensityValueRole).toInt());
    tile->SetPresetName(index.data(ModelPreset::NameRole).toString());
    tile->SetApplied(index.data(ModelPreset::ApplyRole).toBool(),
                     index.data(ModelPreset::IntensityEnabledRole).toBool());
    tile->SetFavourite(index.data(ModelPreset::FavouriteRole).toBool());
    tile->SetPreview(index.data(ModelPreset::PreviewRole).value<QPixmap>());

    const auto* preset = index.data(ModelPreset::PresetRole).value<IItemModelPreset*>();
    if (!preset || !preset->IsDownloadable())
        return;
    auto* watcher = new DownloadableWatcher(m_impl->resourceManager, preset->GetDownloadableResources(), tile);
    IRemoteResource::NotificationParams params;
    params.notifyOnChange = true;
    params.states = {IRemoteResource::NotLoaded, IRemoteResource::Queued, IRemoteResource::Loaded,
                     IRemoteResource::Loading, IRemoteResource::Failed};
    params.step = 0.01;
    watcher->SetNotificationParams(params);
    watcher->SetCallback([tile](const IRemoteResource::State& state) { tile->SetDownloadableStatus(state); });
    watcher->Register();
}

void PresetDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* tile = qobject_cast<PresetWidget*>(editor);
    switch (tile->GetLastAction()) {
    case PresetWidget::NoAction:
    case PresetWidget::Reset:
        model->setData(index, QVariant(), ModelPreset::ResetRole);
        break;
    case PresetWidget::Activate:
        model->setData(index, QVariant(), ModelPreset::ApplyRole);
        break;
    case PresetWidget::Apply:
        model->setData(index, QVariant(), ModelPreset::ConfirmRole);
        break;
    case PresetWidget::IntensityChanging:
        model->setData(index, tile->GetIntensity(), ModelPreset::IntensityChangeRole);
        break;
    case PresetWidget::IntensityChanged:
        model->setData(index, tile->GetIntensity(), ModelPreset::IntensityChangeEndRole);
        break;
    case PresetWidget::FavouriteChanged:
        model->setData(index, tile->IsFavourite(), ModelPreset::FavouriteRole);
        break;
    case PresetWidget::Delete:
        m_impl->Delete(model, index);
        break;
    case PresetWidget::Rename:
        m_impl->Rename(model, index);
        break;
    }
}

void PresetDelegate::Impl::Delete(QAbstractItemModel* model, const QModelIndex& index) const
{
    const Tessel::ElemsConfig buttons{{true, {}, PresetTexts::DELETE_BUTTON()},
                                      {true, {}, PresetTexts::CANCEL_DELETION()},
                                      {false, Tessel::ButtonColorProperty::LEVEL_ZERO_LINK, {}},
                                      {false, {}}};
    Tessel::TesselAlertBox alert(PresetTexts::DELETE_TITLE(), QString(), Util::SpontaneousDialog::GetMainWindow(),
                                 buttons);
    alert.setObjectName(QStringLiteral("deletePresetAlert"));
    if (alert.Exec() == 0)
        model->setData(index, QVariant(), ModelPreset::DeleteRole);
}

void PresetDelegate::Impl::Rename(QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString name = index.data(ModelPreset::NameRole).toString();
    const std::unique_ptr<InputNameDialog> dialog =
        std::make_unique<InputNameDialog>(Util::SpontaneousDialog::GetMainWindow());
    dialog->Setup(PresetTexts::NAME_NEW_PRESET(), PresetTexts::SAVE(), PresetTexts::CANCEL(), PresetTexts::NAME_TAKEN(),
                  name);
    dialog->Show(
        [model, index, &dialog](const QString& newName) {
            if (model->setData(index, newName, ModelPreset::RenameRole))
                return true;
            dialog->OnInputError();
            return false;
        },
        [] {});
}

void PresetDelegate::Impl::Retry(const QModelIndex& index) const
{
    if (!index.isValid())
        return;
    const auto* preset = index.data(ModelPreset::PresetRole).value<IItemModelPreset*>();
    if (resourceManager && preset) {
        for (const ResourceId& id : preset->GetDownloadableResources())
            if (resourceManager->GetResource(id)->GetState().status == IRemoteResource::Failed)
                resourceManager->Fetch(id);
    }
    // The failed tile stays disabled; a new one, with a new watcher, follows the new try.
    view->closePersistentEditor(index);
    view->openPersistentEditor(index);
}

void PresetDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex& /*index*/) const
{
    editor->setGeometry(option.rect);
}

bool PresetDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (qobject_cast<PresetWidget*>(object))
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

void PresetDelegate::OnEditingFinish()
{
    auto* editor = qobject_cast<QWidget*>(sender());
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace Tavrel::Glimmar::GlimmarPresets
