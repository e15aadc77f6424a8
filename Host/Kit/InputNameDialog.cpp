#include "Host/Kit/InputNameDialog.h"

#include "Host/Kit/InputNameWidget.h"

#include <QVBoxLayout>

namespace Tavrel {

InputNameDialog::InputNameDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_widget(new InputNameWidget(this))
{
    setObjectName("InputNameDialog");
    setModal(true);
    setAttribute(Qt::WA_StyledBackground);
    setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_widget);

    connect(m_widget, &InputNameWidget::acceptRequested, this, [this](const QString& name) {
        if (m_onAccept && m_onAccept(name))
            accept();
    });
    connect(m_widget, &InputNameWidget::cancelRequested, this, &QDialog::reject);
}

void InputNameDialog::Setup(const QString& title, const QString& acceptText, const QString& cancelText,
                            const QString& errorText, const QString& name)
{
    setWindowTitle(title);
    m_widget->Setup(title, acceptText, cancelText, errorText, name);
}

void InputNameDialog::OnInputError()
{
    m_widget->OnInputError();
}

void InputNameDialog::Show(std::function<bool(const QString&)> onAccept, std::function<void()> onCancel)
{
    m_onAccept = std::move(onAccept);
    const int result = exec();
    m_onAccept = nullptr;
    if (result != QDialog::Accepted && onCancel)
        onCancel();
}

InputNameWidget* InputNameDialog::GetWidget() const
{
    return m_widget;
}

} // namespace Tavrel
