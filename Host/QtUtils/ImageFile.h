#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

namespace Tavrel {

/// Pictures read from files, with the reason when one cannot be. A file that claims more
/// pixels than the caller allows is refused by its header, before memory is taken for it: a
/// file of a few kilobytes can claim gigapixels. A JPEG cut short is refused too, though it
/// decodes: its missing part would show as grey.
class ImageFile {
    Q_DECLARE_TR_FUNCTIONS(Tavrel::ImageFile)

public:
    /// The picture at path, turned as its metadata says when autoTransform; or a null image
    /// and, in problem, why: one translated sentence that does not name the file.
    static QImage Read(const QString& path, qint64 maxPixels, QString& problem, bool autoTransform = false);
};

} // namespace Tavrel
