#include "Host/QtUtils/ImageFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

namespace Tavrel {

namespace {

// Walks a JPEG's markers to its end-of-image marker. A cut file still decodes, its missing rows
// grey, with no error from the reader. Segment lengths are followed so that a marker inside
// metadata (an embedded thumbnail's end) does not count; inside a scan an 0xFF byte is only ever
// stuffed (FF 00) or a restart marker.
bool ReachesEndOfImage(const QByteArray& data)
{
    const auto byte = [&data](int at) { return static_cast<unsigned char>(data[at]); };
    int at = 2; // past the start-of-image marker
    while (at + 1 < data.size()) {
        if (byte(at) != 0xFF) {
            ++at;
            continue;
        }
        const unsigned char marker = byte(at + 1);
        if (marker == 0xD9)
            return true;
        if (marker == 0xFF) {
            ++at; // fill byte
        } else if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // no length follows these
        } else {
            if (at + 3 >= data.size())
                return false;
            at += 2 + (byte(at + 2) << 8 | byte(at + 3));
        }
    }
    return false;
}

} // namespace

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
    const QByteArray format = reader.format(); // the reader forgets it once it has read
    QImage image = reader.read();
    if (image.isNull()) {
        problem = tr("Its picture data cannot be read (%1).").arg(reader.errorString());
        return image;
    }
    if (format == "jpeg" && file.seek(0) && !ReachesEndOfImage(file.readAll())) {
        problem = tr("The file is damaged (it ends early).");
        return {};
    }
    return image;
}

} // namespace Tavrel
