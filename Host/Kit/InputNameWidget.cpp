#include "Host/Kit/InputNameWidget.h"

#include "Host/Kit/ApplyWidgetStyle.h"
#include "Host/Kit/ButtonColorProperty.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace Tavrel {

InputNameWidget::InputNameWidget(QWidget* parent)
    : QWidget(parent), m_titleLabel(new QLabel(this)), m_nameEdit(new QLineEdit(this)), m_errorLabel(new QLabel(this)),
      m_acceptButton(new QPushButton(this)), m_cancelButton(new QPushButton(this))
{
    setObjectName("InputNameWidget");
    m_titleLabel->setObjectName("titleLabel");
    m_nameEdit->setObjectName("nameEdit");
    m_errorLabel->setObjectName("errorLabel");
    m_acceptButton->setObjectName("acceptButton");
    m_cancelButton->setObjectName("cancelButton");

    m_titleLabel->setWordWrap(true);
    m_nameEdit->setMaxLength(128);
    m_errorLabel->setWordWrap(true);
    m_errorLabel->hide();
    m_acceptButton->setProperty("colorHint", Tessel::ButtonColorProperty::LEVEL_ONE);
    m_cancelButton->setProperty("colorHint", Tessel::ButtonColorProperty::LEVEL_ZERO);
    for (QPushButton* button : {m_acceptButton, m_cancelButton})
        button->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(8);
    layout->addWidget(m_titleLabel);
    layout->addSpacing(4);
    layout->addWidget(m_nameEdit);
    layout->addWidget(m_errorLabel);
    layout->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_acceptButton);
    layout->addLayout(buttons);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &InputNameWidget::OnNameEdited);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &InputNameWidget::OnAccept);
    connect(m_acceptButton, &QPushButton::clicked, this, &InputNameWidget::OnAccept);
    connect(m_cancelButton, &QPushButton::clicked, this, &InputNameWidget::cancelRequested);
    OnNameEdited();
}

void InputNameWidget::Setup(const QString& title, const QString& acceptText, const QString& cancelText,
                            const QString& errorText, const QString& name)
{
    m_titleLabel->setText(title);
    m_acceptButton->setText(acceptText);
    m_cancelButton->setText(cancelText);
    m_errorLabel->setText(errorText);
    m_nameEdit->setText(name);
    m_nameEdit->selectAll();
    m_nameEdit->setFocus();
    m_errorLabel->hide();
}

void InputNameWidget::OnInputError()
{
    m_errorLabel->show();
    Util::ApplyWidgetStyle(m_nameEdit, "true", "error");
    m_nameEdit->setFocus();
}

QString InputNameWidget::GetName() const
{
    return m_nameEdit->text().trimmed();
}

void InputNameWidget::OnNameEdited()
{
    m_acceptButton->setEnabled(!GetName().isEmpty());
    if (m_errorLabel->isVisibleTo(this)) {
        m_errorLabel->hide();
        Util::ApplyWidgetStyle(m_nameEdit, "false", "error");
    }
}

void InputNameWidget::OnAccept()
{
    if (m_acceptButton->isEnabled())
        emit acceptRequested(GetName());
}

} // namespace Tavrel
