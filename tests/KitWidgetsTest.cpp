#include "Host/Kit/ClickSlider.h"
#include "Host/Kit/InputNameDialog.h"
#include "Host/Kit/TesselAlertBox.h"
#include "Host/Kit/ToolButtonWithImage.h"
#include "Host/Kit/installFadeOverlays.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Tavrel;

namespace {

// Runs `action` on the modal dialog once its event loop is up.
void WhenModal(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, qApp, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal dialog is open";
        action(modal);
    });
}

QRect HandleRect(QSlider& slider)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
}

} // namespace

TEST(ClickSlider, ClickJumpsToTheClickedValueAndADragGoesOnFromThere)
{
    ClickSlider slider(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.resize(210, 24);
    slider.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));

    QSignalSpy changed(&slider, &QSlider::valueChanged);
    QSignalSpy moved(&slider, &QSlider::sliderMoved);
    QSignalSpy released(&slider, &QSlider::sliderReleased);
    const int y = slider.height() / 2;
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(160, y));
    EXPECT_TRUE(HandleRect(slider).contains(160, y)) << "the handle jumps under the pointer";
    EXPECT_GT(slider.value(), 60);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(slider.isSliderDown());

    // QTest::mouseMove moves the cursor without the pressed button; a drag needs it held.
    QMouseEvent drag(QEvent::MouseMove, QPointF(60, y), QPointF(slider.mapToGlobal(QPoint(60, y))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&slider, &drag);
    EXPECT_TRUE(HandleRect(slider).contains(60, y)) << "the drag goes on from the jumped-to value";
    EXPECT_LT(slider.value(), 40);
    EXPECT_FALSE(moved.isEmpty());
    EXPECT_EQ(changed.count(), 2);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(60, y));
    EXPECT_EQ(released.count(), 1);
    EXPECT_FALSE(slider.isSliderDown());
}

TEST(ToolButtonWithImage, ReportsHoverAndPaintsThePreviewInsideTheMargins)
{
    QWidget window;
    window.resize(300, 200);
    auto* button = new ToolButtonWithImage(&window);
    button->setGeometry(20, 20, 200, 120);
    button->SetScrimColor(Qt::transparent);
    button->SetImageGrid(1, 1, QMargins(4, 4, 4, 4), 0);
    QPixmap red(50, 30);
    red.fill(Qt::red);
    button->SetPreview(red, 0, 0);
    button->SetPreview(red, 3, 3); // outside the grid: ignored
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QSignalSpy entered(button, &ToolButtonWithImage::hoverEnter);
    QSignalSpy left(button, &ToolButtonWithImage::hoverLeave);
    QTest::mouseMove(&window, QPoint(100, 80));
    QTest::mouseMove(&window, QPoint(280, 180));
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 1);

    const QImage image = button->grab().toImage();
    EXPECT_EQ(image.pixelColor(100, 60), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(2, 60), QColor(Qt::red)) << "the margin stays free";

    button->SetPreview(QPixmap(), 0, 0);
    EXPECT_NE(button->grab().toImage().pixelColor(100, 60), QColor(Qt::red));
}

namespace {

// A kit dialog run modally and answered once it shows; run gives what its caller learned.
struct DialogCase {
    const char* name;
    std::function<QString()> run;
    std::function<void(QWidget*)> answer;
    QString expected;
    friend void PrintTo(const DialogCase& c, std::ostream* os) { *os << c.name; }
};

// The index of the pressed button, -1 for none.
QString AlertAnswer()
{
    Tessel::TesselAlertBox box("Delete this preset?", "", nullptr,
                               {{true, {}, "Delete"}, {true, {}, "Cancel"}, {true, "levelZeroLink", "Later"}, {true, "Ask again"}});
    const int answer = box.Exec();
    return box.isVisible() ? QStringLiteral("still open") : QString::number(answer);
}

// The names the caller was offered ("Taken" is refused) and whether it heard a cancel.
QString NameAnswer()
{
    InputNameDialog dialog(nullptr);
    dialog.Setup("Name new preset", "Save", "Cancel", "Preset with this name already exists", "Warm");
    QStringList heard;
    dialog.Show(
        [&](const QString& name) {
            heard << name;
            if (name == "Taken")
                dialog.OnInputError();
            return name != "Taken";
        },
        [&] { heard << "cancelled"; });
    if (dialog.isVisible())
        heard << "still open";
    return heard.join(", ");
}

std::function<void(QWidget*)> Click(const char* button)
{
    return [button](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton); };
}

void EscapeKey(QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }

void RefuseThenAcceptName(QWidget* modal)
{
    auto* edit = modal->findChild<QLineEdit*>("nameEdit");
    auto* accept = modal->findChild<QPushButton*>("acceptButton");
    auto* error = modal->findChild<QLabel*>("errorLabel");
    EXPECT_TRUE(accept->isEnabled());
    edit->clear();
    QTest::keyClicks(edit, "   ");
    EXPECT_FALSE(accept->isEnabled()) << "a blank name cannot be accepted";
    QTest::keyClick(edit, Qt::Key_Return);

    edit->clear();
    QTest::keyClicks(edit, "Taken");
    QTest::mouseClick(accept, Qt::LeftButton);
    EXPECT_TRUE(modal->isVisible()) << "a refused name keeps the dialog open";
    EXPECT_TRUE(error->isVisible());
    EXPECT_EQ(error->text(), "Preset with this name already exists");

    QTest::keyClicks(edit, " two");
    EXPECT_FALSE(error->isVisible()) << "editing clears the error";
    QTest::mouseClick(accept, Qt::LeftButton);
}

class KitDialog : public ::testing::TestWithParam<DialogCase> {};

} // namespace

TEST_P(KitDialog, AnswersWhatTheUserChose)
{
    WhenModal(GetParam().answer);
    EXPECT_EQ(GetParam().run(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, KitDialog,
    // The first and second buttons are pressed in the preset list's delete dialog.
    ::testing::Values(DialogCase{"AlertThird", AlertAnswer, Click("thirdButton"), "2"},
                      DialogCase{"AlertEscape", AlertAnswer, EscapeKey, "-1"},
                      DialogCase{"AlertClosed", AlertAnswer, [](QWidget* modal) { modal->close(); }, "-1"},
                      DialogCase{"NameRefusedThenAccepted", NameAnswer, RefuseThenAcceptName, "Taken, Taken two"},
                      DialogCase{"NameCancelled", NameAnswer, Click("cancelButton"), "cancelled"},
                      DialogCase{"NameEscape", NameAnswer, EscapeKey, "cancelled"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(installFadeOverlays, FadesShowOnlyWhileThereIsMoreToScrollThatWay)
{
    QListWidget list;
    list.resize(120, 100);
    Tessel::installFadeOverlays(&list, Qt::Vertical);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    auto* top = list.findChild<QWidget*>("fadeOverlayStart");
    auto* bottom = list.findChild<QWidget*>("fadeOverlayEnd");
    ASSERT_TRUE(top && bottom);
    EXPECT_FALSE(top->isVisible());
    EXPECT_FALSE(bottom->isVisible()) << "nothing to scroll";

    for (int i = 0; i < 40; ++i)
        list.addItem(QString("Row %1").arg(i));
    QApplication::processEvents();
    EXPECT_FALSE(top->isVisible());
    EXPECT_TRUE(bottom->isVisible());
    EXPECT_EQ(bottom->geometry().bottom(), list.viewport()->geometry().bottom());

    QScrollBar* bar = list.verticalScrollBar();
    QWheelEvent wheel(QPointF(50, 50), QPointF(list.viewport()->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &wheel);
    ASSERT_GT(bar->value(), 0);
    EXPECT_TRUE(top->isVisible());
    EXPECT_TRUE(bottom->isVisible());

    bar->setValue(bar->maximum());
    EXPECT_TRUE(top->isVisible());
    EXPECT_FALSE(bottom->isVisible()) << "at the end";
}
