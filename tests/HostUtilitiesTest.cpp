#include "Host/Drawer/StatisticsRecorder.h"
#include "Host/QtUtils/ImageFile.h"

#include "tests/FileBytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <QTemporaryDir>

#include <thread>

using Tavrel::ImageFile;
using Tavrel::PhotoCore::StatisticsRecorder;

TEST(StatisticsRecorder, KeepsEventsFromConcurrentCallers)
{
    StatisticsRecorder recorder;
    std::thread a([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("a", {}); });
    std::thread b([&] { for (int i = 0; i < 200; ++i) recorder.HandleEvent("b", {}); });
    a.join();
    b.join();
    EXPECT_EQ(recorder.Events().size(), 400u);
}

// A JPEG's own end marker decides: not one inside an embedded thumbnail, and data that some
// cameras append after it does not make it damaged.
TEST(ImageFile, AJpegIsWholeWhenItReachesItsOwnEndMarker)
{
    QImage picture(160, 120, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x, y, x ^ y));
    const auto encoded = [](const QImage& image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, "JPEG"));
        return bytes;
    };
    const QByteArray jpeg = encoded(picture);
    // An APP1 segment right after the start marker holding a whole small JPEG, as metadata holds thumbnails.
    const QByteArray thumbnail = encoded(picture.scaled(32, 24));
    QByteArray app1("\xFF\xE1", 2);
    QDataStream(&app1, QIODevice::Append) << quint16(thumbnail.size() + 2);
    const QByteArray withThumbnail = jpeg.left(2) + app1 + thumbnail + jpeg.mid(2);

    const struct {
        const char* kind;
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"whole", jpeg, true},
        {"data after the end", jpeg + QByteArray("trailer\xFF\xD8\xFF", 10), true},
        {"whole with a thumbnail", withThumbnail, true},
        {"cut, with a whole thumbnail", withThumbnail.left(withThumbnail.size() * 3 / 4), false},
    };
    QTemporaryDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const QString path = folder.filePath("photo.jpg");
        WriteBytes(path, c.bytes);
        QString problem;
        const QImage read = ImageFile::Read(path, 1 << 20, problem);
        EXPECT_EQ(read.isNull(), !c.whole) << problem.toStdString();
        EXPECT_EQ(problem.contains("damaged"), !c.whole) << problem.toStdString();
    }
}
