#include "Host/Kit/ElidedLabel.h"
#include "Host/Kit/InputNameDialog.h"
#include "Host/Kit/TesselAlertBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace Tavrel;

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
                               {{true, {}, "Delete"}, {true, {}, "Cancel"}, {true, "levelZeroLink", "Later"}, {}});
    const int answer = box.Exec();
    return box.isVisible() ? QStringLiteral("still open") : QString::number(answer);
}

// The names the caller was offered and whether it heard a cancel.
QString NameAnswer()
{
    InputNameDialog dialog(nullptr);
    dialog.Setup("Name new preset", "Save", "Cancel", "Preset with this name already exists", "Warm");
    QStringList heard;
    dialog.Show([&](const QString& name) { heard << name; return true; }, [&] { heard << "cancelled"; });
    if (dialog.isVisible())
        heard << "still open";
    return heard.join(", ");
}

std::function<void(QWidget*)> Click(const char* button)
{
    return [button](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton); };
}

void EscapeKey(QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }

void BlankNameThenEscape(QWidget* modal)
{
    auto* edit = modal->findChild<QLineEdit*>("nameEdit");
    edit->clear();
    QTest::keyClicks(edit, "   ");
    EXPECT_FALSE(modal->findChild<QPushButton*>("acceptButton")->isEnabled()) << "a blank name cannot be accepted";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(modal->isVisible());
    EscapeKey(modal);
}

class KitDialog : public ::testing::TestWithParam<DialogCase> {};

} // namespace

TEST_P(KitDialog, AnswersWhatTheUserChose)
{
    QTimer::singleShot(0, qApp, [answer = GetParam().answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr) << "no modal dialog is open";
        answer(modal);
    });
    EXPECT_EQ(GetParam().run(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, KitDialog,
    ::testing::Values(DialogCase{"AlertEscape", AlertAnswer, EscapeKey, "-1"},
                      DialogCase{"AlertClosed", AlertAnswer, [](QWidget* modal) { modal->close(); }, "-1"},
                      DialogCase{"NameBlankRefused", NameAnswer, BlankNameThenEscape, "cancelled"},
                      DialogCase{"NameCancelled", NameAnswer, Click("cancelButton"), "cancelled"},
                      DialogCase{"NameEscape", NameAnswer, EscapeKey, "cancelled"}),
    [](const auto& info) { return std::string(info.param.name); });

// A cut text ends in "…" and is read whole in the label's tip; an uncut one leaves the tip to the
// parent. The label may shrink to the ellipsis.
TEST(ElidedLabel, ShowsWhatFitsAndTheWholeTextInItsTipWhenCut)
{
    QWidget parent;
    parent.setToolTip("the parent's tip");
    ElidedLabel label("Golden hour over the harbour", &parent);
    parent.show();
    const int full = label.fontMetrics().horizontalAdvance(label.text());
    EXPECT_LT(label.minimumSizeHint().width(), full / 4);
    const struct {
        int width;
        bool cut;
    } cases[] = {{full + 10, false}, {full / 2, true}, {label.minimumSizeHint().width(), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        label.resize(c.width, label.sizeHint().height());
        EXPECT_EQ(label.ShownText() != label.text(), c.cut) << label.ShownText().toStdString();
        EXPECT_EQ(label.ShownText().endsWith("…"), c.cut);
        EXPECT_LE(label.fontMetrics().horizontalAdvance(label.ShownText()), c.width);
        QHelpEvent tip(QEvent::ToolTip, QPoint(1, 1), label.mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(&label, &tip);
        EXPECT_EQ(QToolTip::text(), c.cut ? label.text() : parent.toolTip());
        QToolTip::hideText();
    }
}
