#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace Tavrel::Tessel {

/// Carries values that an editor's look defines (sizes, colours) as Qt properties of a plain object,
/// set from the style sheet the way Qt sets `qproperty-` values on widgets:
///
///     Tavrel--Tessel--MyProvider { qproperty-Width: 200; }
///
/// A subclass declares the properties; Prepare() reads them from the style sheets in effect.
class PropertyProviderBase : public QObject {
    Q_OBJECT

public:
    /// `widget`: whose style sheet (and its parents') count besides the application's; may be null.
    explicit PropertyProviderBase(QWidget* widget = nullptr, QObject* parent = nullptr);

    /// Sets this object's properties from the `qproperty-<Name>: value;` declarations of the rules whose
    /// selector names its class or a base class (`Ns--Class`, as Qt writes "::", or the bare class name),
    /// optionally with `#objectName`. The application's style sheet comes first, then the widget's
    /// parents' from the top down and the widget's own; the last value wins. Unknown names and values
    /// that do not convert are reported as warnings and leave the property unchanged.
    void Prepare();

private:
    QPointer<QWidget> m_widget;
};

} // namespace Tavrel::Tessel
