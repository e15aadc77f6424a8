#include "Host/Types/BaseConfig.h"

#include "Host/Types/CallStack.h"
#include "Host/Types/FileLock.h"
#include "Host/Types/JsonCodec.h"

#include <glog/logging.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace Tavrel::PhotoUtil {
namespace {

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

// "<path>.<kind>-<yyyyMMdd-HHmmss>", numbered when that name is taken.
QString NameAside(const QString& path, const QString& kind)
{
    const QString stem = path + QLatin1Char('.') + kind + QLatin1Char('-') +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = stem;
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside = stem + QLatin1Char('-') + QString::number(n);
    return aside;
}

// Writes all of text to an unbuffered file. A short write is not an error to Qt, which then
// leaves only "Unknown error"; writing the rest makes the system tell why (a full disk).
bool WriteAll(QFileDevice& file, const std::string& text)
{
    const char* data = text.data();
    qint64 left = static_cast<qint64>(text.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// A writer holds the lock for well under a second.
constexpr std::chrono::milliseconds LockWait(10000);

QString LockPath(const QString& path) { return path + QStringLiteral(".lock"); }

// Temporaries are "<path>.saving-<process id>": recognisable, so that those of a writer that
// was killed are removed by the next one, and distinct per process, so that a writer that
// outlived its lock cannot mix its bytes into the next writer's file.
QString TemporaryPrefix(const QString& path) { return path + QStringLiteral(".saving-"); }

// Called with the lock held: nobody is writing the temporaries that are there.
void RemoveStaleTemporaries(const QString& path)
{
    const QFileInfo info(path);
    const QString prefix = TemporaryPrefix(info.fileName());
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix) && !QFile::remove(folder.filePath(name)))
            LOG(WARNING) << "cannot remove the abandoned temporary file " << folder.filePath(name).toStdString();
    }
}

// Writes text beside path, flushes it to the disk and renames it over path: the name holds
// the old file until the rename and the whole new one after it, whenever the process dies.
std::string Replace(const QString& path, const std::string& text)
{
    QFile file(TemporaryPrefix(path) + QString::number(QCoreApplication::applicationPid()));
    // Unbuffered, so that a failing write reports the system's reason (a full disk).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return "cannot create " + file.fileName().toStdString() + ": " + file.errorString().toStdString();
    if (QFileInfo(path).isFile())
        file.setPermissions(QFileInfo(path).permissions());
    std::string reason;
    if (!WriteAll(file, text))
        reason = file.errorString().toStdString();
#ifdef Q_OS_UNIX
    // Without it a power cut soon after the rename can leave an empty file under the name.
    else if (::fsync(file.handle()) != 0)
        reason = std::strerror(errno);
#endif
    file.close();
    if (reason.empty()) {
        std::error_code error;
        std::filesystem::rename(std::filesystem::u8path(file.fileName().toStdString()),
                                std::filesystem::u8path(path.toStdString()), error);
        if (error)
            reason = error.message();
    }
    if (!reason.empty())
        file.remove();
    return reason;
}

// The reason the atomic store of text at path failed, or an empty text.
std::string Store(const QString& path, const std::string& text)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return "cannot create its folder";
    FileLock lock(LockPath(path));
    const std::string locked = lock.Lock(LockWait);
    if (!locked.empty())
        return locked;
    RemoveStaleTemporaries(path);
    // A file we cannot read may hold presets that nobody has seen this session.
    QFile existing(path);
    if (QFileInfo(path).isFile() && !existing.open(QIODevice::ReadOnly))
        return "the file there cannot be read (" + existing.errorString().toStdString() + ") and is not replaced";
    existing.close();
    return Replace(path, text);
}

// Keeps a tree that could not be stored at path next to it, so that the changes survive;
// says where, or why not. text: the tree's JSON, or empty when it could not be made.
std::string KeepUnsaved(const QString& path, const PropertyTree& tree, std::string text)
{
    std::string error;
    if (text.empty() && !JsonCodec::TrySerialize(tree, text, error, JsonCodec::NonFinite::AsTokens))
        return "nothing could be kept: " + error;
    const QString unsaved = NameAside(path, QStringLiteral("unsaved"));
    QFile file(unsaved);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return "the unsaved configuration could not be kept in " + unsaved.toStdString() + " either: " +
               file.errorString().toStdString();
    if (!WriteAll(file, text)) {
        const std::string reason = file.errorString().toStdString();
        file.remove();
        return "the unsaved configuration could not be kept in " + unsaved.toStdString() + " either: " + reason;
    }
    return "the unsaved configuration is kept in " + unsaved.toStdString();
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
        TAVREL_THROW(BaseConfigError, "cannot read configuration " + path + ": " + error);
    return tree;
}

PropertyTree BaseConfig::ReadOptional(const std::string& name)
{
    const QString path = UserFilePath(name);
    PropertyTree tree;
    std::string error;
    LoadStatus status = Load(path, tree, error);
    if (status == LoadStatus::Ok)
        return tree;
    if (status == LoadStatus::Missing)
        return {};
    // Read again under the lock: a writer may have replaced the file meanwhile. Without the
    // lock the file is still moved aside, where nothing of it is lost.
    FileLock lock(LockPath(path));
    if (lock.Lock(LockWait).empty()) {
        status = Load(path, tree, error);
        if (status == LoadStatus::Ok)
            return tree;
        if (status == LoadStatus::Missing)
            return {};
    }
    // Keep the file for the user; the next Write would otherwise replace it.
    const char* problem = status == LoadStatus::Damaged ? "damaged" : "unreadable";
    const QString aside = NameAside(path, QStringLiteral("damaged"));
    if (QFile::rename(path, aside))
        LOG(WARNING) << problem << " user configuration " << path.toStdString() << " moved to " << aside.toStdString()
                     << ": " << error;
    else
        LOG(WARNING) << problem << " user configuration " << path.toStdString() << " could not be moved to "
                     << aside.toStdString() << ": " << error;
    return {};
}

void BaseConfig::Write(const std::string& name, const PropertyTree& tree)
{
    const QString path = UserFilePath(name);
    std::string text;
    std::string reason;
    if (JsonCodec::TrySerialize(tree, text, reason)) {
        text += '\n';
        reason = Store(path, text);
        if (reason.empty())
            return;
    } else {
        text.clear();
    }
    TAVREL_THROW(BaseConfigError,
                 "cannot write configuration " + path.toStdString() + ": " + reason + "; " +
                     KeepUnsaved(path, tree, std::move(text)));
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
