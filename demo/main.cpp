#include "demo/EditorOptions.h"
#include "demo/FirstFrameQuitter.h"
#include "demo/MainWindow.h"
#include "demo/Tour.h"

#include <glog/logging.h>

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// The offscreen platform says for every window what it cannot do; the tour's output is more useful without it.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith("This plugin does not support") || message.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
        return;
    fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    QCoreApplication::setOrganizationName("Glimmar");
    QCoreApplication::setApplicationName("GlimmarDemo");
    QCoreApplication::setApplicationVersion(QStringLiteral(GLIMMAR_VERSION));

    using namespace Tavrel::Demo;
    // A window application aborts where there is no display; help and version are text and need none.
    QStringList arguments;
    std::transform(argv, argv + argc, std::back_inserter(arguments),
                   [](const char* argument) { return QString::fromLocal8Bit(argument); });
    if (EditorOptions::AsksForHelpOrVersion(arguments)) {
        QCoreApplication console(argc, argv);
        EditorOptions::FromCommandLine(console.arguments()); // prints and exits
    }
    // The tour runs without a display; the platform is chosen before the application exists.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tour") == 0 || std::strncmp(argv[i], "--tour=", 7) == 0) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(QuietOffscreenNotes);
        }
    }
    QApplication app(argc, argv);
    const EditorOptions options = EditorOptions::FromCommandLine(app.arguments());
    if (!options.tourDir.isEmpty()) {
        const QString folder = QDir(options.tourDir).absolutePath();
        MainWindow window(Tour::Options(folder));
        const bool finished = Tour(window, folder).Run();
        printf("%s %s\n", finished ? "The guided tour finished; its screenshots, usage log, export and summary are in"
                                   : "The guided tour stopped early; see",
               qPrintable(QDir::toNativeSeparators(folder)));
        return finished ? 0 : 1;
    }

    MainWindow window(options);
    if (options.quitAfterFirstFrame)
        new FirstFrameQuitter(&window);
    window.show();
    if (options.photoPath.isEmpty() || !window.OpenPhoto(options.photoPath))
        window.OpenPhoto(MainWindow::SamplePhotoPath);
    return app.exec();
}
