#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace Tavrel::Demo {

/// Installs the translations of one language into the application: the preset
/// library's, the editor's, the built-in presets' and Qt's own texts. Every
/// widget then gets a QEvent::LanguageChange.
class LanguageSwitcher {
public:
    /// The languages the editor ships: codes and their names in their own language.
    static QStringList Languages();
    static QString NativeName(const QString& language);
    /// "de" when the system's language is German, else "en".
    static QString SystemLanguage();

    /// Removes what the previous call installed; "en" installs the library's English texts.
    /// False (and English texts) when a translation file of the language is missing.
    bool SetLanguage(const QString& language);
    const QString& Language() const { return m_language; }

private:
    QString m_language = "en";
    std::vector<std::unique_ptr<QTranslator>> m_installed;
};

} // namespace Tavrel::Demo
