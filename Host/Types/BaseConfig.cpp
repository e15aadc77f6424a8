#include "Host/Types/BaseConfig.h"

#include "Host/Types/CallStack.h"
#include "Host/Types/JsonCodec.h"

#include <glog/logging.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <mutex>

namespace Tavrel::PhotoUtil {
namespace {

constexpr const char* kFile = "Host/BaseConfig";

enum class LoadStatus { Ok, Missing, Unreadable, Damaged };

LoadStatus Load(const QString& path, PropertyTree& tree, std::string& error)
{
    QFile file(path);
    if (!file.exists()) {
        error = "no such file";
        return LoadStatus::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot open: " + file.errorString().toStdString();
        return LoadStatus::Unreadable;
    }
    if (file.size() > static_cast<qint64>(BaseConfig::MaxFileSize)) {
        error = "larger than " + std::to_string(BaseConfig::MaxFileSize) + " bytes";
        return LoadStatus::Damaged;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = "cannot read: " + file.errorString().toStdString();
        return LoadStatus::Unreadable;
    }
    if (!JsonCodec::TryParse(std::string_view(data.constData(), static_cast<std::size_t>(data.size())), tree, error))
        return LoadStatus::Damaged;
    return LoadStatus::Ok;
}

QString UserFilePath(const std::string& name)
{
    return QDir(BaseConfig::StorageFolder()).filePath(QString::fromStdString(name) + QStringLiteral(".json"));
}

std::mutex g_folderMutex;
QString g_folder;

} // namespace

std::string BaseConfig::ResourcePath(const std::string& module, const std::string& name, const std::string& folder)
{
    const std::string relative = folder + "/" + module + "/" + name + ".json";
    const QString overrideDir = qEnvironmentVariable("GLIMMAR_CONFIG_DIR");
    if (!overrideDir.isEmpty()) {
        const QString candidate = QDir(overrideDir).filePath(QString::fromStdString(relative));
        if (QFileInfo(candidate).isFile())
            return candidate.toStdString();
    }
    return ":/" + relative;
}

PropertyTree BaseConfig::Read(const std::string& path)
{
    PropertyTree tree;
    std::string error;
    if (Load(QString::fromStdString(path), tree, error) != LoadStatus::Ok)
        TAVREL_THROW(BaseConfigError, "cannot read configuration " + path + ": " + error, kFile);
    return tree;
}

PropertyTree BaseConfig::ReadOptional(const std::string& name)
{
    const QString path = UserFilePath(name);
    PropertyTree tree;
    std::string error;
    switch (Load(path, tree, error)) {
    case LoadStatus::Ok:
        return tree;
    case LoadStatus::Missing:
        return {};
    case LoadStatus::Unreadable:
        LOG(WARNING) << "cannot read user configuration " << path.toStdString() << ": " << error;
        return {};
    case LoadStatus::Damaged:
        break;
    }
    // Keep the damaged file for the user; the next Write would otherwise replace it.
    const QString stem = path + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside = stem + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(path, aside))
        LOG(WARNING) << "damaged user configuration " << path.toStdString() << " moved to " << aside.toStdString()
                     << ": " << error;
    else
        LOG(WARNING) << "damaged user configuration " << path.toStdString() << " could not be moved to "
                     << aside.toStdString() << ": " << error;
    return {};
}

void BaseConfig::Write(const std::string& name, const PropertyTree& tree)
{
    const QString path = UserFilePath(name);
    const auto fail = [&path](const std::string& reason) {
        TAVREL_THROW(BaseConfigError, "cannot write configuration " + path.toStdString() + ": " + reason, kFile);
    };
    std::string text;
    std::string error;
    if (!JsonCodec::TrySerialize(tree, text, error))
        fail(error);
    text += '\n';
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        fail("cannot create its folder");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString().toStdString());
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        fail(reason);
    }
    if (!file.commit())
        fail(file.errorString().toStdString());
}

void BaseConfig::SetStorageFolder(const QString& folder)
{
    const std::lock_guard<std::mutex> lock(g_folderMutex);
    g_folder = folder;
}

QString BaseConfig::StorageFolder()
{
    {
        const std::lock_guard<std::mutex> lock(g_folderMutex);
        if (!g_folder.isEmpty())
            return g_folder;
    }
    const QString fromEnvironment = qEnvironmentVariable("GLIMMAR_USER_CONFIG_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace Tavrel::PhotoUtil
