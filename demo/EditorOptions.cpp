#include "demo/EditorOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace Tavrel::Demo {

EditorOptions EditorOptions::FromCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("EditorOptions", "A small photo editor around the preset lists."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QCoreApplication::translate("EditorOptions", "photo"),
                                 QCoreApplication::translate("EditorOptions", "The photo to open (JPEG, PNG, TIFF, ...)."),
                                 QCoreApplication::translate("EditorOptions", "[photo]"));
    const QCommandLineOption language(
        "lang", QCoreApplication::translate("EditorOptions", "The language of the texts: en or de."),
        QCoreApplication::translate("EditorOptions", "language"));
    const QCommandLineOption configDir(
        "config-dir",
        QCoreApplication::translate("EditorOptions", "Keep presets, favourites and the window layout in this folder."),
        QCoreApplication::translate("EditorOptions", "folder"));
    const QCommandLineOption dataDir(
        "data-dir", QCoreApplication::translate("EditorOptions", "Write the usage statistics log to this folder."),
        QCoreApplication::translate("EditorOptions", "folder"));
    const QCommandLineOption tourDir(
        "tour",
        QCoreApplication::translate("EditorOptions",
                                    "Run the guided tour offscreen and write its screenshots, logs and export here."),
        QCoreApplication::translate("EditorOptions", "folder"));
    const QCommandLineOption quitAfterFirstFrame(
        "quit-after-first-frame",
        QCoreApplication::translate("EditorOptions", "Quit once the window has shown its first frame."));
    parser.addOptions({language, configDir, dataDir, tourDir, quitAfterFirstFrame});
    parser.process(arguments);

    if (parser.positionalArguments().size() > 1)
        parser.showHelp(1);
    const QString lang = parser.value(language);
    if (!lang.isEmpty() && lang != "en" && lang != "de") {
        fprintf(stderr, "%s\n",
                qPrintable(QCoreApplication::translate("EditorOptions", "Unknown language \"%1\": use en or de.").arg(lang)));
        exit(1);
    }

    EditorOptions options;
    options.photoPath = parser.positionalArguments().value(0);
    options.language = lang;
    options.configDir = parser.value(configDir);
    options.dataDir = parser.value(dataDir);
    options.tourDir = parser.value(tourDir);
    options.quitAfterFirstFrame = parser.isSet(quitAfterFirstFrame);
    return options;
}

} // namespace Tavrel::Demo
