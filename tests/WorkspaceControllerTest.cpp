#include "Host/Drawer/VideoFrame.h"
#include "Host/Drawer/WorkspaceController.h"

#include <gtest/gtest.h>

#include <QPixmap>

using namespace Tavrel::PhotoCore;

namespace {

QImage GreyPhoto()
{
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(qRgb(60, 60, 60));
    return photo;
}

} // namespace

TEST(WorkspaceController, ConvertsBetweenFramesAndPixmaps)
{
    WorkspaceController workspace(GreyPhoto());
    const ImageUtils& utils = workspace.GetImageUtils();
    QImage picture(30, 20, QImage::Format_ARGB32);
    picture.fill(qRgb(10, 20, 30));
    picture.setPixel(3, 4, qRgb(200, 100, 0));
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(2.0); // frames count device pixels

    const FramePtr frame = utils.PixmapToFrame(pixmap, workspace.GetFrameFactory());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Width(), 30);
    EXPECT_EQ(VideoFrame::ImageOf(frame).format(), QImage::Format_RGB32);
    EXPECT_EQ(VideoFrame::ImageOf(frame).pixel(3, 4), qRgb(200, 100, 0));
    const QImage back = utils.FrameToPixmap(frame).toImage();
    EXPECT_EQ(back.pixel(3, 4), qRgb(200, 100, 0));
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));

    const FramePtr empty = utils.PixmapToFrame(QPixmap(), workspace.GetFrameFactory());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_TRUE(utils.FrameToPixmap(FramePtr()).isNull());
}
