// The Qt backend's peers on a small form of the test's own: what each control
// shows of its state, and what the user's actions change in it.

#include "platform/ui/qt/dialogs.h"
#include "platform/ui/qt/widget_peer.h"
#include "qt_test_support.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace components;
using components::qt::WidgetOf;

TEST(QtPatternsTest, LettersMatchInEitherCase) {
    struct Case {
        std::string patterns;
        QString expected;
    };
    for (const Case& c : {
             Case{" *.CSV", "*.[Cc][Ss][Vv]"},
             Case{" *.*", "*"},
             Case{"*.csv;*.TXT", "*.[Cc][Ss][Vv] *.[Tt][Xx][Tt]"},
             Case{"LOG?0.csv", "[Ll][Oo][Gg]?0.[Cc][Ss][Vv]"},
             Case{"*.[ck]ml", "*.[ck]ml"},
             Case{"  ", "*"},
         })
        EXPECT_EQ(qt::QtPatterns(c.patterns), c.expected) << c.patterns;

    const QStringList filters = qt::NameFiltersFor(
        ParseFilter("Pliki logów (*.CSV) | *.CSV| Wszystkie pliki (*.*) | *.*"));
    EXPECT_EQ(filters, QStringList({"Pliki logów (*.CSV) (*.[Cc][Ss][Vv])",
                                    " Wszystkie pliki (*.*) (*)"}));
}

class QtPeerTest : public testing::Test {
protected:
    QtPeerTest() {
        form_.ClientWidth = 200;
        form_.ClientHeight = 60;
    }

    template <class T>
    T& Add(const std::string& name, Control& parent, Rect bounds) {
        T& control = form_.Create<T>(name);
        control.SetParent(&parent);
        control.SetBounds(bounds);
        return control;
    }
    void Realize() { testing_support::QtBackend().Realize(form_); }

    Form form_{"SmallForm"};
};

TEST_F(QtPeerTest, ProgressBarIsTouchedOnlyWhenItsPictureChanges) {
    auto& model = Add<ProgressBar>("Bar", form_, {0, 0, 110, 14});
    Realize();
    auto* bar = WidgetOf(&model)->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    int changes = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&] { ++changes; });

    model.SetMax(100000);
    for (int line = 1; line <= 100000; ++line) model.SetPosition(line);
    EXPECT_EQ(bar->value(), 100000);
    EXPECT_GE(changes, 50);
    EXPECT_LE(changes, bar->width()) << "one change per pixel of the bar at most, not per line";

    // past int: scaled down, a full bar at the end all the same
    model.SetMax(5'000'000'000);
    model.SetPosition(5'000'000'000);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_LE(bar->maximum(), INT_MAX);
}

TEST_F(QtPeerTest, StaticEdgeIsAFrameAroundTheBar) {
    auto& model = Add<ProgressBar>("Bar", form_, {0, 0, 110, 14});
    Realize();
    auto* holder = static_cast<QFrame*>(WidgetOf(&model));
    // the progress control is born with the edge
    EXPECT_EQ(holder->frameWidth(), 1);
    model.SetExStyle(model.ExStyle() & ~0x20000u);
    EXPECT_EQ(holder->frameWidth(), 0);
    model.SetExStyle(model.ExStyle() | 0x20000u);
    EXPECT_EQ(holder->frameWidth(), 1);
}

TEST_F(QtPeerTest, LabelFollowsItsCaptionsSize) {
    auto& model = Add<Label>("Label", form_, {10, 5, 111, 27});
    model.SetFont({"Renfrew", -21, clNavy});
    model.SetCaption("brelquin");
    Realize();
    auto* label = static_cast<QLabel*>(WidgetOf(&model));
    EXPECT_EQ(label->size(), label->sizeHint());
    EXPECT_EQ(model.Bounds(), (Rect{10, 5, label->width(), label->height()}));

    const int shortWidth = label->width();
    model.SetCaption("brelquin brelquin");
    EXPECT_GT(label->width(), shortWidth);
    EXPECT_EQ(model.Bounds().width, label->width());
}

TEST_F(QtPeerTest, CheckBoxTakesClicksAndShowsTheModel) {
    auto& model = Add<CheckBox>("Box", form_, {0, 0, 65, 25});
    model.SetCaption("Płasko");
    model.SetChecked(true);
    Realize();
    form_.Show();
    auto* box = static_cast<QCheckBox*>(WidgetOf(&model));
    EXPECT_TRUE(box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(model.Checked());
    model.SetChecked(true);
    EXPECT_TRUE(box->isChecked());
}

TEST_F(QtPeerTest, OwnerDrawnPanelShowsNoText) {
    auto& model = Add<StatusBar>("Bar", form_, {0, 40, 200, 19});
    model.AddPanel(150);
    model.AddPanel(50);
    Realize();
    auto* panel = WidgetOf(&model)->findChild<QLabel*>("panel1");
    ASSERT_NE(panel, nullptr);

    model.SetPanelText(1, "kept");
    model.SetPanelStyle(1, psOwnerDraw);
    EXPECT_EQ(panel->text(), "");
    model.SetPanelStyle(1, psText);
    EXPECT_EQ(panel->text(), "kept");
    // the last panel takes the rest of the bar
    EXPECT_EQ(panel->geometry(), QRect(152, 2, 48, 17));
}

} // namespace
