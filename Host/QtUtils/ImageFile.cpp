#include "Host/QtUtils/ImageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

namespace Tavrel {

QImage ImageFile::Read(const QString& path, qint64 maxPixels, QString& problem, bool autoTransform)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        problem = tr("The file does not exist.");
        return {};
    }
    if (info.isDir()) {
        problem = tr("It is a folder.");
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = tr("It cannot be opened: %1.").arg(file.errorString());
        return {};
    }
    if (file.size() == 0) {
        problem = tr("It is empty.");
        return {};
    }
    // The reader takes the format from the content, helped by the file's suffix.
    QImageReader reader(&file);
    reader.setAutoTransform(autoTransform);
    const QSize size = reader.size();
    if (!size.isValid()) {
        // A picture whose format has no reader installed is named, so the user knows what is missing.
        const QMimeType type = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchContent);
        if (reader.error() == QImageReader::UnsupportedFormatError && type.name().startsWith("image/")
            && !QImageReader::supportedMimeTypes().contains(type.name().toLatin1())) {
            problem = tr("No installed image format plugin reads .%1 files (%2).")
                          .arg(type.preferredSuffix(), type.comment());
            return {};
        }
        problem = tr("It is not a picture, or not one of a format that can be read (%1).").arg(reader.errorString());
        return {};
    }
    if (qint64(size.width()) * size.height() > maxPixels) {
        problem = tr("It has %1 × %2 pixels, more than the %3 megapixels allowed.")
                      .arg(size.width())
                      .arg(size.height())
                      .arg(QString::number(double(maxPixels) / 1e6));
        return {};
    }
    QImage image = reader.read();
    if (image.isNull())
        problem = tr("Its picture data cannot be read (%1).").arg(reader.errorString());
    return image;
}

} // namespace Tavrel
