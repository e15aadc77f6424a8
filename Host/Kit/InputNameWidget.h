#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace Tavrel {

/// Asks for a name: a title, the field ("nameEdit"), an error line under it ("errorLabel", shown
/// after OnInputError until the name is edited), and the buttons ("acceptButton", "cancelButton").
/// Accept stays disabled while the name is empty or blank; Return in the field accepts.
class InputNameWidget : public QWidget {
    Q_OBJECT

public:
    explicit InputNameWidget(QWidget* parent = nullptr);

    void Setup(const QString& title, const QString& acceptText, const QString& cancelText,
               const QString& errorText, const QString& name);
    /// Shows the error text under the field.
    void OnInputError();

    QString GetName() const;

signals:
    /// The user accepted the name (trimmed).
    void acceptRequested(const QString& name);
    void cancelRequested();

private:
    void OnNameEdited();
    void OnAccept();

    QLabel* m_titleLabel;
    QLineEdit* m_nameEdit;
    QLabel* m_errorLabel;
    QPushButton* m_acceptButton;
    QPushButton* m_cancelButton;
};

} // namespace Tavrel
