#include "Host/Resources/ResourceFetcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

namespace Tavrel {

namespace {
using Status = IRemoteResource::Status;
}

ResourceFetcher::ResourceFetcher(qint64 chunkSize, std::chrono::milliseconds chunkPause, Report report)
    : m_chunkSize(std::max<qint64>(chunkSize, 1)), m_chunkPause(chunkPause), m_report(std::move(report))
{
}

void ResourceFetcher::Fetch(int key, const QString& source, const QString& target)
{
    if (QThread::currentThread()->isInterruptionRequested())
        return;
    m_report(key, {Status::Loading, 0.0, {}});
    const QString error = Copy(key, source, target);
    m_report(key, error.isEmpty() ? IRemoteResource::State{Status::Loaded, 1.0, {}}
                                  : IRemoteResource::State{Status::Failed, 0.0, error});
}

QString ResourceFetcher::Copy(int key, const QString& source, const QString& target)
{
    const QString name = QFileInfo(source).fileName();
    QFile input(source);
    if (!input.exists())
        return tr("The resource \"%1\" was not found at %2.").arg(name, source);
    if (!input.open(QIODevice::ReadOnly))
        return tr("The resource \"%1\" could not be read from %2: %3.").arg(name, source, input.errorString());

    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return tr("The cache folder for \"%1\" could not be made at %2.").arg(name, QFileInfo(target).absolutePath());
    // QSaveFile writes aside and renames on commit: the cache never holds half a file.
    QSaveFile output(target);
    output.setDirectWriteFallback(false);
    if (!output.open(QIODevice::WriteOnly))
        return tr("The resource \"%1\" could not be written to %2: %3.").arg(name, target, output.errorString());

    const qint64 size = input.size();
    qint64 copied = 0;
    QByteArray chunk;
    while (!input.atEnd()) {
        if (QThread::currentThread()->isInterruptionRequested()) {
            output.cancelWriting();
            return tr("The download of \"%1\" was stopped.").arg(name);
        }
        chunk = input.read(m_chunkSize);
        if (chunk.isEmpty() && input.error() != QFileDevice::NoError)
            return tr("The resource \"%1\" could not be read from %2: %3.").arg(name, source, input.errorString());
        if (output.write(chunk) != chunk.size())
            return tr("The resource \"%1\" could not be written to %2: %3.").arg(name, target, output.errorString());
        copied += chunk.size();
        m_report(key, {Status::Loading, size > 0 ? double(copied) / size : 1.0, {}});
        if (m_chunkPause.count() > 0)
            QThread::msleep(m_chunkPause.count());
    }
    if (!output.commit())
        return tr("The resource \"%1\" could not be saved to %2: %3.").arg(name, target, output.errorString());
    return {};
}

} // namespace Tavrel
