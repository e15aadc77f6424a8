#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace Tavrel::Demo {

/// What the editor is started with: from the command line, or set by tests.
struct EditorOptions {
    Q_DECLARE_TR_FUNCTIONS(EditorOptions)

public:
    /// The photo to open; empty: the built-in sample.
    QString photoPath;
    /// "en" or "de"; empty: the last one chosen, else the system's.
    QString language;
    /// The user configuration (presets, favourites, window layout); empty: the user's configuration folder.
    QString configDir;
    /// Where the usage log goes; empty: the user's data folder.
    QString dataDir;
    /// Non-empty: run the guided tour and write its results there.
    QString tourDir;
    /// Quit as soon as the window has shown its first frame (start-up measurements).
    bool quitAfterFirstFrame = false;

    /// Parses the arguments with --help and --version; exits for those and for bad arguments.
    static EditorOptions FromCommandLine(const QStringList& arguments);
    /// True when the arguments ask for --help or --version: answered in text, which needs no display,
    /// so a QCoreApplication is enough to run FromCommandLine.
    static bool AsksForHelpOrVersion(const QStringList& arguments);
};

} // namespace Tavrel::Demo
