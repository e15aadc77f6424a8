#include "demo/LanguageSwitcher.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace Tavrel::Demo {

namespace {
// Built from translations/*.ts and linked in as resources. English is the source language: only
// the library's texts need words of their own.
const QStringList OwnCatalogues = {"glimmar", "demo", "presets"};
const QStringList EnglishCatalogues = {"glimmar"};
} // namespace

QStringList LanguageSwitcher::Languages() { return {"en", "de"}; }

QString LanguageSwitcher::NativeName(const QString& language)
{
    return language == "de" ? QStringLiteral("Deutsch") : QStringLiteral("English");
}

QString LanguageSwitcher::SystemLanguage() { return QLocale::system().language() == QLocale::German ? "de" : "en"; }

bool LanguageSwitcher::SetLanguage(const QString& language)
{
    for (const auto& translator : m_installed)
        QCoreApplication::removeTranslator(translator.get());
    m_installed.clear();
    m_language = "en";
    QLocale::setDefault(QLocale(QLocale::English));

    for (const QString& catalogue : language == "en" ? EnglishCatalogues : OwnCatalogues) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(QString(":/translations/%1_%2.qm").arg(catalogue, language))) {
            m_installed.clear();
            if (language != "en") // English without its catalogue shows the source texts
                SetLanguage("en");
            return false;
        }
        m_installed.push_back(std::move(translator));
    }
    // Qt's own dialogs and buttons; not every system has Qt's translations installed.
    auto qtTranslator = std::make_unique<QTranslator>();
    if (qtTranslator->load("qtbase_" + language, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        m_installed.push_back(std::move(qtTranslator));

    for (const auto& translator : m_installed)
        QCoreApplication::installTranslator(translator.get());
    m_language = language;
    QLocale::setDefault(QLocale(language));
    return true;
}

} // namespace Tavrel::Demo
