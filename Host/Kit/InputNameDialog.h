#pragma once

#include <QDialog>

#include <functional>

namespace Tavrel {

class InputNameWidget;

/// A modal dialog around an InputNameWidget. Its object name is "InputNameDialog".
class InputNameDialog : public QDialog {
    Q_OBJECT

public:
    explicit InputNameDialog(QWidget* parent);

    void Setup(const QString& title, const QString& acceptText, const QString& cancelText,
               const QString& errorText, const QString& name);
    void OnInputError();

    /// Runs modally until the user is done. Accept calls `onAccept` with the entered name: true closes
    /// the dialog, false keeps it open (the function usually calls OnInputError()). Cancel, Escape or
    /// closing the window call `onCancel` and close. The caller deletes the dialog afterwards.
    void Show(std::function<bool(const QString&)> onAccept, std::function<void()> onCancel);

    InputNameWidget* GetWidget() const;

private:
    InputNameWidget* m_widget;
    std::function<bool(const QString&)> m_onAccept;
};

} // namespace Tavrel
