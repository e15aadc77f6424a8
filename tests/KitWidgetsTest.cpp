#include "Host/Kit/InputNameDialog.h"
#include "Host/Kit/TesselAlertBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
