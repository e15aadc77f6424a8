#include <gtest/gtest.h>

#include <glog/logging.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QFile>
#include <QTemporaryDir>

namespace {

// QAbstractItemModelTester reports through the "qt.modeltest" category; inside
// GoogleTest those messages would otherwise pass unnoticed.
void failOnModelTestMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest") &&
        type != QtDebugMsg && type != QtInfoMsg) {
        ADD_FAILURE() << "QAbstractItemModelTester: " << message.toStdString();
        return;
    }
    fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    qInstallMessageHandler(failOnModelTestMessages);
    // User configurations and downloads made by tests must never reach the real user's folders,
    // nor another test process's.
    const QTemporaryDir userConfigDir;
    const QTemporaryDir resourceCacheDir;
    if (!userConfigDir.isValid() || !resourceCacheDir.isValid())
        return 1;
    qputenv("GLIMMAR_USER_CONFIG_DIR", QFile::encodeName(userConfigDir.path()));
    qputenv("GLIMMAR_RESOURCE_CACHE_DIR", QFile::encodeName(resourceCacheDir.path()));
    return RUN_ALL_TESTS();
}
