#include "Host/Kit/PropertyProviderBase.h"

#include <QApplication>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

namespace Tavrel::Tessel {

namespace {

// The names by which a rule's type selector may address the class: Qt writes "::" as "--".
QStringList ClassNames(const QMetaObject* meta)
{
    QStringList names;
    for (; meta && meta != &QObject::staticMetaObject; meta = meta->superClass()) {
        const QString name = QString::fromLatin1(meta->className());
        names << QString(name).replace("::", "--");
        if (name.contains("::"))
            names << name.section("::", -1);
    }
    return names;
}

bool SelectorMatches(const QString& selector, const QStringList& classNames, const QString& objectName)
{
    // Only a plain type selector, optionally with an id, addresses a provider: it has no parents to
    // descend from and no states.
    static const QRegularExpression simple(R"(^\.?([A-Za-z_][\w-]*)(?:#([\w-]+))?$)");
    const QRegularExpressionMatch match = simple.match(selector.trimmed());
    if (!match.hasMatch() || !classNames.contains(match.captured(1)))
        return false;
    return match.captured(2).isEmpty() || match.captured(2) == objectName;
}

void ApplyStyleSheet(QObject* object, const QString& styleSheet, const QStringList& classNames)
{
    static const QRegularExpression comments(R"(/\*.*?\*/)", QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rules(R"(([^{}]+)\{([^{}]*)\})");
    static const QRegularExpression declaration(R"(^\s*qproperty-([\w]+)\s*:\s*(.*?)\s*$)");

    QString text = styleSheet;
    text.remove(comments);
    for (auto rule = rules.globalMatch(text); rule.hasNext();) {
        const QRegularExpressionMatch match = rule.next();
        bool selected = false;
        for (const QString& selector : match.captured(1).split(',', Qt::SkipEmptyParts))
            selected = selected || SelectorMatches(selector, classNames, object->objectName());
        if (!selected)
            continue;

        for (const QString& item : match.captured(2).split(';', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch property = declaration.match(item);
            if (!property.hasMatch())
                continue;
            const QByteArray name = property.captured(1).toLatin1();
            const int index = object->metaObject()->indexOfProperty(name);
            if (index < 0) {
                qWarning("%s has no property %s (style sheet qproperty-%s)", object->metaObject()->className(),
                         name.constData(), name.constData());
                continue;
            }
            const QMetaProperty meta = object->metaObject()->property(index);
            QString value = property.captured(2);
            if (value.size() >= 2 && (value.startsWith('"') || value.startsWith('\'')) && value.endsWith(value[0]))
                value = value.mid(1, value.size() - 2);
            else if (value.endsWith("px"))
                value.chop(2);
            QVariant converted(value);
            if (!converted.convert(meta.userType()) || !meta.write(object, converted))
                qWarning("%s: style sheet value \"%s\" does not fit property %s", object->metaObject()->className(),
                         qUtf8Printable(value), name.constData());
        }
    }
}

} // namespace

PropertyProviderBase::PropertyProviderBase(QWidget* widget, QObject* parent) : QObject(parent), m_widget(widget) {}

void PropertyProviderBase::Prepare()
{
    std::vector<QString> sheets;
    for (QWidget* widget = m_widget; widget; widget = widget->parentWidget())
        sheets.push_back(widget->styleSheet());
    if (qApp)
        sheets.push_back(qApp->styleSheet());

    const QStringList classNames = ClassNames(metaObject());
    for (auto sheet = sheets.rbegin(); sheet != sheets.rend(); ++sheet)
        ApplyStyleSheet(this, *sheet, classNames);
}

} // namespace Tavrel::Tessel
