// The main window on the real Qt widgets (drawn off screen under CTest): its
// layout, texts, focus and window flags, the open and convert commands with the
// file dialog and the error box answered as a user would, and a screenshot.

#include "ui/Unit1.h"

#include "platform/ui/qt/widget_peer.h"
#include "qt_test_support.h"
#include "test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WhenShown;
using testing_support::WriteBytes;

// A header and three usable records.
const std::string kLog = "Time;Latitude;Longitude;Alt_AGL\r\n"
                         "12:00:01;52.1;21.0;120\r\n"
                         "12:00:02;52.2;21.1;130\r\n"
                         "12:00:03;52.3;21.2;140\r\n";

class MainWindowQtTest : public testing::Test {
protected:
    MainWindowQtTest() {
        components::TheApplication = &application_;
        application_.Title = "Trasolin";
        application_.CreateForm(Form1);
        window_ = components::qt::WidgetOf(Form1.get());
    }
    ~MainWindowQtTest() override {
        Form1.reset();
        components::TheApplication = nullptr;
        LogFileName.clear();
        LineCount = 0;
    }

    template <class W>
    W* Child(const char* name) const {
        W* child = window_->findChild<W*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString PanelText(int index) const {
        return Child<QLabel>(index == 0 ? "panel0" : "panel1")->text();
    }
    // Clicks "&Otwórz" and types `path` into the file dialog's name box.
    void OpenTyping(const std::string& path) {
        WhenShown<QFileDialog>([path](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(path));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(Child<QPushButton>("Otworz_bt"), Qt::LeftButton);
    }

    components::Application application_{testing_support::QtBackend()};
    QWidget* window_ = nullptr;
    TempDir dir_;
};

TEST_F(MainWindowQtTest, WindowHasItsDesignedLayout) {
    ASSERT_TRUE(window_->isVisible());
    EXPECT_EQ(window_->size(), QSize(268, 86));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the window does not resize";

    // centred on the primary screen
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window_->frameGeometry().left(), (screen.width() - window_->frameGeometry().width()) / 2);
    EXPECT_EQ(window_->frameGeometry().top(), (screen.height() - window_->frameGeometry().height()) / 2);

    struct Place {
        const char* name;
        const char* parent;
        QRect geometry;
    };
    for (const Place& place : {
             Place{"CheckBox1", "Form1", {8, 0, 65, 25}},
             Place{"Otworz_bt", "Form1", {8, 32, 75, 25}},
             Place{"konwertuj_bt", "Form1", {96, 32, 75, 25}},
             Place{"Zamknij_bt", "Form1", {184, 32, 75, 25}},
             Place{"StatusBar1", "Form1", {0, 67, 268, 19}},
             // FormCreate moved it into the status bar, over panel 1
             Place{"ProgressBar1", "StatusBar1", {154, 4, 110, 14}},
             Place{"panel0", "StatusBar1", {0, 2, 150, 17}},
             Place{"panel1", "StatusBar1", {152, 2, 116, 17}},
         }) {
        QWidget* widget = Child<QWidget>(place.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), place.parent) << place.name;
        EXPECT_EQ(widget->geometry(), place.geometry) << place.name;
        EXPECT_TRUE(widget->isVisible()) << place.name;
    }

    // the label takes the size of its caption, and the model learns it
    auto* label = Child<QLabel>("Label1");
    EXPECT_EQ(label->pos(), QPoint(144, 0));
    EXPECT_EQ(label->size(), label->sizeHint());
    EXPECT_EQ(Form1->Label1->Bounds().width, label->width());

    // the bar lies flat: FormCreate took its sunken edge away
    EXPECT_EQ(Child<QFrame>("ProgressBar1")->frameWidth(), 0);
    EXPECT_FALSE(Child<QWidget>("ListBox1")->isVisible());
    EXPECT_FALSE(Child<QWidget>("ListBox2")->isVisible());
}

TEST_F(MainWindowQtTest, WindowStaysOnTopWithOnlyACloseBox) {
    const Qt::WindowFlags flags = window_->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    // a tool window would leave the taskbar without the program's button
    EXPECT_NE(flags & Qt::WindowType_Mask, Qt::Tool);
    // which bears the program's icon
    EXPECT_FALSE(window_->windowIcon().availableSizes().isEmpty());
}

TEST_F(MainWindowQtTest, ControlsShowTheirTextsInTheirFonts) {
    EXPECT_EQ(window_->windowTitle(), "Trasolin");
    EXPECT_EQ(Child<QPushButton>("Otworz_bt")->text(), "&Otwórz");
    EXPECT_EQ(Child<QPushButton>("konwertuj_bt")->text(), "&Konwertuj");
    EXPECT_EQ(Child<QPushButton>("Zamknij_bt")->text(), "&Zamknij");
    EXPECT_FALSE(Child<QPushButton>("konwertuj_bt")->isEnabled());
    auto* flat = Child<QCheckBox>("CheckBox1");
    EXPECT_EQ(flat->text(), "Płasko");
    EXPECT_TRUE(flat->isChecked());
    EXPECT_EQ(flat->font().pixelSize(), 11);

    auto* label = Child<QLabel>("Label1");
    EXPECT_EQ(label->text(), "brelquin");
    EXPECT_EQ(label->font().pixelSize(), 21);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));

    EXPECT_EQ(PanelText(0), "");
    EXPECT_EQ(PanelText(1), "");
    auto* bar = window_->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(MainWindowQtTest, OtworzHasTheFocusAndTabFollowsTheTabOrder) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    EXPECT_EQ(QApplication::focusWidget(), Child<QWidget>("Otworz_bt"));

    // "&Konwertuj" is disabled, so Tab passes it by
    for (const char* next : {"Zamknij_bt", "CheckBox1", "Otworz_bt"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
    Form1->konwertuj_bt->SetEnabled(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "konwertuj_bt");
}

TEST_F(MainWindowQtTest, AltAndTheMarkedLetterClicksTheButton) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    QTest::keyClick(window_, Qt::Key_Z, Qt::AltModifier);
    // a button clicked by its access key shows itself pressed for a moment first
    EXPECT_TRUE(QTest::qWaitFor([] { return Form1->Closed(); }));
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowQtTest, CloseBoxClosesTheForm) {
    window_->close();
    EXPECT_TRUE(Form1->Closed());
    EXPECT_FALSE(window_->isVisible());
}

TEST_F(MainWindowQtTest, OpenThenConvertShowsTheCountAndWritesTheTrack) {
    const std::string log = dir_.File("LOG00012.CSV");
    WriteBytes(log, kLog);

    OpenTyping(log);
    EXPECT_EQ(PanelText(0), "LOG00012.CSV");
    EXPECT_TRUE(Child<QPushButton>("konwertuj_bt")->isEnabled());
    auto* bar = window_->findChild<QProgressBar*>();
    EXPECT_EQ(bar->maximum(), 4);
    EXPECT_EQ(bar->value(), 0);

    QTest::mouseClick(Child<QPushButton>("konwertuj_bt"), Qt::LeftButton);
    EXPECT_EQ(PanelText(1), "OK!  4 wpisów");
    EXPECT_EQ(Child<QPushButton>("konwertuj_bt")->text(), "&Konwertuj");
    EXPECT_TRUE(Child<QPushButton>("konwertuj_bt")->isEnabled());
    EXPECT_FALSE(Child<QWidget>("ProgressBar1")->isVisible());
    EXPECT_EQ(bar->value(), 4) << "the bar reached its end before it hid";

    const std::string track = ReadBytes(dir_.File("LOG00012.KML"));
    EXPECT_NE(track.find("21.0,52.1,120\r\n21.1,52.2,130\r\n21.2,52.3,140\r\n"), std::string::npos)
        << track;
    EXPECT_NE(track.find("clampToGround"), std::string::npos) << "Płasko is ticked";
}

TEST_F(MainWindowQtTest, ErrorShowsInTheErrorBoxAndTheWindowGoesOn) {
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    OpenTyping(dir_.File("missing.csv"));

    EXPECT_EQ(text, "File not found.");
    EXPECT_EQ(title, "Trasolin");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_FALSE(Child<QPushButton>("konwertuj_bt")->isEnabled());
    EXPECT_EQ(PanelText(0), "");

    // the window takes clicks again
    QTest::mouseClick(Child<QPushButton>("Zamknij_bt"), Qt::LeftButton);
    EXPECT_TRUE(Form1->Closed());
}

TEST_F(MainWindowQtTest, OpenDialogListsLogsInAnyCaseAndEveryFileUnderItsSecondEntry) {
    // a name without a dot too: "*.*" means every file, as on Windows
    for (const char* name : {"a.csv", "B.CSV", "c.Csv", "notes.txt", "x.csvx", "README"})
        WriteBytes(dir_.File(name), kLog);
    const QString folder = QString::fromStdString(dir_.path().string());

    std::set<QString> logs, all;
    QStringList entries;
    QString title;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i) entries += types->itemText(i);

        auto* view = dialog->findChild<QListView*>("listView");
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_TRUE(view && model);
        dialog->setDirectory(folder);
        // the dialog reads the folder on a thread of its own; what it listed
        // in the end is checked below
        auto listed = [&](std::size_t expected, std::set<QString>& names) {
            (void)QTest::qWaitFor([&] {
                names.clear();
                const QModelIndex root = view->rootIndex();
                for (int row = 0; row < model->rowCount(root); ++row)
                    names.insert(model->index(row, 0, root).data().toString());
                return names.size() == expected;
            });
        };
        listed(3, logs);
        types->setCurrentIndex(1);
        types->activated(1);
        listed(6, all);
        dialog->reject();
    });
    QTest::mouseClick(Child<QPushButton>("Otworz_bt"), Qt::LeftButton);

    EXPECT_EQ(title, "Open");
    EXPECT_EQ(entries, QStringList({"Pliki logów (*.CSV)", "Wszystkie pliki (*.*)"}));
    EXPECT_EQ(logs, std::set<QString>({"a.csv", "B.CSV", "c.Csv"}));
    EXPECT_EQ(all,
              std::set<QString>({"a.csv", "B.CSV", "c.Csv", "notes.txt", "x.csvx", "README"}));
    // cancelled: nothing changes
    EXPECT_FALSE(Child<QPushButton>("konwertuj_bt")->isEnabled());
    EXPECT_TRUE(LogFileName.empty());
}

TEST_F(MainWindowQtTest, RunEndsWhenTheMainFormCloses) {
    QTimer::singleShot(0, [this] { window_->close(); });
    application_.Run(); // a loop that did not end would hold the test until its timeout
    EXPECT_TRUE(Form1->Closed());
}

// Saves what the window looks like, idle and as during a run, for a person to
// look at; checks what can be told from the pixels: the bar draws nothing
// until it moves, then its done part in the highlight colour, with no frame.
TEST_F(MainWindowQtTest, Screenshot) {
    const QImage idle = window_->grab().toImage();
    EXPECT_EQ(idle.size(), QSize(268, 86));
    EXPECT_TRUE(idle.save(TRASOLIN_SCREENSHOT_DIR "/trasolin-qt.png"));

    Form1->ProgressBar1->SetMax(10);
    Form1->ProgressBar1->SetPosition(6);
    Form1->konwertuj_bt->SetCaption("Czekaj!");
    Form1->StatusBar1->SetPanelText(0, "LOG00012.CSV");
    const QImage busy = window_->grab().toImage();
    EXPECT_TRUE(busy.save(TRASOLIN_SCREENSHOT_DIR "/trasolin-qt-busy.png"));

    const QColor highlight = window_->palette().color(QPalette::Highlight);
    const QPoint firstBlock(154 + 3, 67 + 4 + 7), barEdge(154, 67 + 4 + 7);
    EXPECT_NE(idle.pixelColor(firstBlock), highlight);
    EXPECT_EQ(busy.pixelColor(firstBlock), highlight);
    EXPECT_EQ(busy.pixelColor(barEdge), idle.pixelColor(barEdge)) << "no edge around the bar";
    EXPECT_EQ(busy.pixelColor(barEdge), window_->palette().color(QPalette::Window));
}

} // namespace
