#pragma once

#include "tests/FileBytes.h"
#include "tests/PermissionsTaken.h"

#include <boost/crc.hpp>

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>

#include <memory>
#include <vector>

/// Files where a picture is expected that cannot be one, made in a folder on construction.
/// Each comes with a part of what ImageFile says about it.
class BadImages {
public:
    struct File {
        const char* kind;
        QString path;
        QString problem;
    };

    explicit BadImages(const QString& folder)
    {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QByteArray png = Encoded(picture, "PNG");
        // Detailed enough that most of the file is the scan the cut falls in.
        QImage photo(256, 192, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x, y, x ^ y));
        const QByteArray jpeg = Encoded(photo, "JPEG");

        const QDir dir(folder);
        m_files = {
            {"missing", dir.filePath("missing.png"), "does not exist"},
            {"empty", dir.filePath("empty.png"), "It is empty"},
            {"truncated", dir.filePath("truncated.png"), "picture data cannot be read"},
            {"JSON text", dir.filePath("config.png"), "It is not a picture"},
            {"a folder", dir.filePath("folder.png"), "It is a folder"},
            {"claims 100000 x 100000 pixels", dir.filePath("claim.png"), QString::fromUtf8("100000 × 100000 pixels")},
            {"12000 x 12000 pixels in 20 KB", dir.filePath("bomb.png"), QString::fromUtf8("12000 × 12000 pixels")},
            {"unreadable", dir.filePath("unreadable.png"), "Permission denied"},
            // Decodes without an error, the rest grey.
            {"JPEG cut short", dir.filePath("cut.jpg"), "damaged (it ends early)"},
            {"JPEG 2000, which no plugin reads", dir.filePath("photo.jp2"), "plugin reads .jp2 files"},
        };
        WriteBytes(m_files[1].path, {});
        WriteBytes(m_files[2].path, png.left(png.size() / 2));
        WriteBytes(m_files[3].path, R"({"groups": [{"items": []}]})");
        EXPECT_TRUE(dir.mkdir("folder.png"));
        WriteBytes(m_files[5].path, Png(100000, 100000, 8, 2, qCompress(QByteArray(100, 0)).mid(4)));
        // Black and white: a filter byte and 1500 zero bytes a row, which compress a thousandfold.
        WriteBytes(m_files[6].path, Png(12000, 12000, 1, 0, qCompress(QByteArray(12000 * 1501, 0), 9).mid(4)));
        WriteBytes(m_files[7].path, png);
        WriteBytes(m_files[8].path, jpeg.left(jpeg.size() * 3 / 4));
        // The signature box and the file type box.
        WriteBytes(m_files[9].path, QByteArray("\0\0\0\x0cjP  \r\n\x87\n\0\0\0\x14" "ftypjp2 \0\0\0\0jp2 ", 32));
    }

    const std::vector<File>& Files() const { return m_files; }

    /// For the unreadable file, its read permission taken while the result lives.
    static std::unique_ptr<PermissionsTaken> Taken(const File& file)
    {
        if (file.kind != std::string("unreadable"))
            return nullptr;
        return std::make_unique<PermissionsTaken>(file.path, QFileDevice::WriteOwner);
    }

private:
    static QByteArray Encoded(const QImage& picture, const char* format)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(picture.save(&buffer, format));
        return bytes;
    }

    // A PNG file of the given header and compressed pixel data.
    static QByteArray Png(quint32 width, quint32 height, quint8 bitDepth, quint8 colourType, const QByteArray& pixels)
    {
        QByteArray header;
        QDataStream(&header, QIODevice::WriteOnly)
            << width << height << bitDepth << colourType << quint8(0) << quint8(0) << quint8(0);
        return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", pixels) + Chunk("IEND", {});
    }

    static QByteArray Chunk(const char* type, const QByteArray& data)
    {
        const QByteArray typed = QByteArray(type) + data;
        boost::crc_32_type crc;
        crc.process_bytes(typed.constData(), static_cast<std::size_t>(typed.size()));
        QByteArray chunk;
        QDataStream stream(&chunk, QIODevice::WriteOnly);
        stream << quint32(data.size());
        stream.writeRawData(typed.constData(), typed.size());
        stream << quint32(crc.checksum());
        return chunk;
    }

    std::vector<File> m_files;
};
