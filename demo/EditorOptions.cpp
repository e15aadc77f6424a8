#include "demo/EditorOptions.h"

#include <QCommandLineParser>

namespace Tavrel::Demo {

namespace {

struct OptionDescription {
    const char* name;
    const char* description; ///< in the translation context "EditorOptions", as is valueName
    const char* valueName;
    QString EditorOptions::*value;
};

const OptionDescription Options[] = {
    {"lang", QT_TRANSLATE_NOOP("EditorOptions", "The language of the texts: en or de."),
     QT_TRANSLATE_NOOP("EditorOptions", "language"), &EditorOptions::language},
    {"config-dir",
     QT_TRANSLATE_NOOP("EditorOptions", "Keep presets, favourites and the window layout in this folder."),
     QT_TRANSLATE_NOOP("EditorOptions", "folder"), &EditorOptions::configDir},
    {"data-dir", QT_TRANSLATE_NOOP("EditorOptions", "Write the usage statistics log to this folder."),
     QT_TRANSLATE_NOOP("EditorOptions", "folder"), &EditorOptions::dataDir},
    {"tour",
     QT_TRANSLATE_NOOP("EditorOptions",
                       "Run the guided tour offscreen and write its screenshots, logs and export here."),
     QT_TRANSLATE_NOOP("EditorOptions", "folder"), &EditorOptions::tourDir},
};

const char* const QuitAfterFirstFrame = "quit-after-first-frame";

void Describe(QCommandLineParser& parser)
{
    const auto tr = [](const char* text) { return EditorOptions::tr(text); };
    parser.setApplicationDescription(tr("A small photo editor around the preset lists."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(tr("photo"), tr("The photo to open (JPEG, PNG, TIFF, ...)."), tr("[photo]"));
    for (const OptionDescription& option : Options)
        parser.addOption(QCommandLineOption(option.name, tr(option.description), tr(option.valueName)));
    parser.addOption(QCommandLineOption(QuitAfterFirstFrame, tr("Quit once the window has shown its first frame.")));
}

} // namespace

bool EditorOptions::AsksForHelpOrVersion(const QStringList& arguments)
{
    QCommandLineParser parser;
    Describe(parser);
    // Mistakes elsewhere on the line do not matter here: FromCommandLine reports them.
    parser.parse(arguments);
    return parser.isSet("help") || parser.isSet("help-all") || parser.isSet("version");
}

EditorOptions EditorOptions::FromCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    Describe(parser);
    parser.process(arguments);

    if (parser.positionalArguments().size() > 1)
        parser.showHelp(1);
    EditorOptions options;
    options.photoPath = parser.positionalArguments().value(0);
    for (const OptionDescription& option : Options)
        options.*option.value = parser.value(option.name);
    options.quitAfterFirstFrame = parser.isSet(QuitAfterFirstFrame);
    if (!options.language.isEmpty() && options.language != "en" && options.language != "de") {
        fprintf(stderr, "%s\n", qPrintable(tr("Unknown language \"%1\": use en or de.").arg(options.language)));
        exit(1);
    }
    return options;
}

} // namespace Tavrel::Demo
