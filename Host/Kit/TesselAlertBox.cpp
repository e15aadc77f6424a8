#include "Host/Kit/TesselAlertBox.h"

#include "Host/Kit/ButtonColorProperty.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace Tavrel::Tessel {

TesselAlertBox::TesselAlertBox(const QString& title, const QString& text, QWidget* parent, const ElemsConfig& elems)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("TesselAlertBox");
    setWindowTitle(title);
    setModal(true);
    setAttribute(Qt::WA_StyledBackground);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(12);

    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName("titleLabel");
    titleLabel->setWordWrap(true);
    layout->addWidget(titleLabel);

    auto* textLabel = new QLabel(text, this);
    textLabel->setObjectName("textLabel");
    textLabel->setWordWrap(true);
    textLabel->setVisible(!text.isEmpty());
    layout->addWidget(textLabel);

    if (elems.checkBox.visible) {
        m_checkBox = new QCheckBox(elems.checkBox.text, this);
        m_checkBox->setObjectName("checkBox");
        layout->addWidget(m_checkBox);
    }

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch();
    const ButtonConfig* configs[] = {&elems.first, &elems.second, &elems.third};
    const char* names[] = {"firstButton", "secondButton", "thirdButton"};
    for (int i = 0; i < 3; ++i) {
        if (!configs[i]->visible)
            continue;
        auto* button = new QPushButton(configs[i]->text, this);
        button->setObjectName(names[i]);
        const QString color = configs[i]->color.isEmpty()
            ? QString(i == 0 ? ButtonColorProperty::LEVEL_ONE : ButtonColorProperty::LEVEL_ZERO)
            : configs[i]->color;
        button->setProperty("colorHint", color);
        button->setAutoDefault(false);
        button->setDefault(i == 0);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_pressed = i;
            accept();
        });
        buttons->addWidget(button);
        m_buttons[i] = button;
    }
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

int TesselAlertBox::Exec()
{
    // Escape and the window's close button reject with code 0, the first button's index, so the
    // pressed button is recorded apart.
    m_pressed = -1;
    exec();
    return m_pressed;
}

bool TesselAlertBox::IsCheckBoxChecked() const
{
    return m_checkBox && m_checkBox->isChecked();
}

} // namespace Tavrel::Tessel
