// The calculator's main window driven as a user drives it: start-up from the launcher settings,
// the track bar walk and its entering, typed tensions, the tension list, the views with their sizes
// and captions, help, and the side tools.
#include "calc/U_handvise.h"
#include "controls/HelpWindow.h"
#include "controls/ThinTrackBar.h"
#include "controls/UAbout.h"
#include "controls/UrlOpener.h"
#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <memory>

using calc::TForm1;
using controls::TThinTrackBar;
using testsupport::Child;

class TestCalcMainWindow : public testsupport::LauncherSettingsTest {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    void CloseWindow() override { form.reset(); }

    // Opens the window as the program does and waits until it is active, so the track bar is entered.
    TForm1* Open() {
        form = std::make_unique<TForm1>();
        testsupport::ShowActive(form.get());
        return form.get();
    }

    template <class T> T* Get(const char* name) { return Child<T>(form.get(), QLatin1String(name)); }
    QString Text(const char* name) { return Get<QLabel>(name)->text(); }
    TThinTrackBar* Track() { return Get<TThinTrackBar>("TrackBar1"); }
    QLineEdit* Entry() { return Get<QLineEdit>("Edit1"); }

    // Spring labels as "1,3," and the tension shown.
    QString Shown() {
        return Text("Spring1Label") + "," + Text("Spring2Label") + "," + Text("Spring3Label") + " " +
               Text("TensionResult");
    }

    void Choose(const char* group, const char* item) {
        for (QRadioButton* radio : Get<QWidget>(group)->findChildren<QRadioButton*>())
            if (radio->text() == QLatin1String(item)) {
                QTest::mouseClick(radio, Qt::LeftButton, {},
                                  QPoint(8, radio->height() / 2)); // on the indicator
                return;
            }
        QFAIL("no such radio item");
    }

    void Click(const char* name) {
        QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton);
        testsupport::RunQueuedCalls();
    }

    // Enters the track bar from the spring-count group with Shift+Tab, as a keyboard user does.
    void TabIntoTrackBar() {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused != nullptr);
        QTest::keyClick(focused, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Track());
    }

    // The offscreen desktop gives the focus back to no window after a dialog; a real one activates ours.
    void Reactivate() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    // Tabs out of the track bar and back into it.
    void TabAwayAndBack() {
        QTest::keyClick(Track(), Qt::Key_Tab);
        TabIntoTrackBar();
    }

    void ClickTension() { QTest::mouseClick(Get<QLabel>("TensionResult"), Qt::LeftButton); }

    void FindTyped(const QString& text) {
        ClickTension();
        Entry()->clear();
        QTest::keyClicks(Entry(), text);
        Click("Button1");
    }

    QSize Client() { return form->size(); }

private slots:
    void startsFromTheLauncherSettings_data() {
        AddSettingsColumn();
        QTest::addColumn<QString>("springs");
        QTest::addColumn<QString>("grip");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("shown");

        const QString two = "1,3, 45", three = "1,3,5 100.865", one = "1,, 13.715";
        QTest::newRow("no file") << QByteArray() << "2"
                                 << "Inner" << 55 << two;
        QTest::newRow("one spring, outer") << QByteArray("[KTXcalc]\nSpring=0\nPosition=1\n") << "1"
                                           << "Outer" << 12 << "1,, 9.6005";
        QTest::newRow("past the last item") << QByteArray("[KTXcalc]\nSpring=7\nPosition=5\n") << "3"
                                            << "Outer" << 120 << "1,3,5 70.6055";
        QTest::newRow("low 8 bits") << QByteArray("[KTXcalc]\nSpring=256\nPosition=256\n") << "1"
                                    << "Inner" << 12 << one;
        QTest::newRow("negative") << QByteArray("[KTXcalc]\nSpring=-1\n") << "3"
                                  << "Inner" << 120 << three;
        QTest::newRow("hexadecimal") << QByteArray("[KTXcalc]\nSpring=$2\nPosition=0x1\n") << "3"
                                     << "Outer" << 120 << "1,3,5 70.6055";
        QTest::newRow("blanks") << QByteArray("[KTXcalc]\nSpring =   0  \n") << "1"
                                << "Inner" << 12 << one;
        QTest::newRow("not a number") << QByteArray("[KTXcalc]\nSpring=two\nPosition=1.5\n") << "2"
                                      << "Inner" << 55 << two;
        QTest::newRow("a list") << QByteArray("[KTXcalc]\nSpring=0,2\n") << "2"
                                << "Inner" << 55 << two;
        QTest::newRow("beyond 32 bits") << QByteArray("[KTXcalc]\nSpring=4294967296\n") << "2"
                                        << "Inner" << 55 << two;
        QTest::newRow("other section") << QByteArray("[RoutineD]\nSpring=0\n") << "2"
                                       << "Inner" << 55 << two;
        QTest::newRow("empty file") << QByteArray("") << "2"
                                    << "Inner" << 55 << two;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe[\x01KTXcalc\n\x00=\xff", 16) << "2"
                                << "Inner" << 55 << two;
    }

    void startsFromTheLauncherSettings() {
        QFETCH(QString, springs);
        QFETCH(QString, grip);
        QFETCH(int, maximum);
        QFETCH(QString, shown);
        QVERIFY(PutSettingsOfRow());
        Open();
        QCOMPARE(form->windowTitle(), QString(" Varnok Handvise"));
        QCOMPARE(Client(), QSize(270, 305));
        for (QRadioButton* radio : Get<QWidget>("SpringGroup1")->findChildren<QRadioButton*>())
            QCOMPARE(radio->isChecked(), radio->text() == springs);
        for (QRadioButton* radio : Get<QWidget>("GripGroup2")->findChildren<QRadioButton*>())
            QCOMPARE(radio->isChecked(), radio->text() == grip);
        QCOMPARE(Track()->maximum(), maximum);
        QCOMPARE(Track()->value(), 1);
        QCOMPARE(Shown(), shown);
        QCOMPARE(Text("tbPosLabel"), QString("1"));
        QCOMPARE(Text("psPosLabel"), QString("2"));
        QCOMPARE(QApplication::focusWidget(), Track());
    }

    void unreadableSettingsFileGivesTheDefaults() {
        QVERIFY(QDir().mkdir(testsupport::LauncherSettingsPath())); // a folder where the file should be
        Open();
        QCOMPARE(Shown(), QString("1,3, 45"));
    }

    void walkingTheTrackBarShowsEachSetting() {
        Open();
        QTest::keyClick(Track(), Qt::Key_End);
        QCOMPARE(Shown(), QString("10,12, 345.12"));
        QCOMPARE(Text("tbPosLabel"), QString("55"));
        QTest::keyClick(Track(), Qt::Key_Home);
        QTest::keyClick(Track(), Qt::Key_Right);
        QCOMPARE(Shown(), QString("1,4, 56.41"));
        QCOMPARE(Text("tbPosLabel"), QString("2"));
    }

    void enteringTheTrackBarKeepsTheShownTension() {
        Open();
        QTest::keyClick(Track(), Qt::Key_Right); // (1,4) 56.41
        Choose("SpringGroup1", "3");
        QCOMPARE(Shown(), QString("1,4, 56.41")); // choosing alone changes nothing
        TabIntoTrackBar();
        QCOMPARE(Track()->maximum(), 120);
        QCOMPARE(Track()->value(), 1);
        QCOMPARE(Shown(), QString("1,3,5 100.865"));

        CloseWindow();
        testsupport::RemoveLauncherSettings();
        Open();
        QTest::keyClick(Track(), Qt::Key_Right);
        Choose("SpringGroup1", "1");
        TabIntoTrackBar();
        QCOMPARE(Track()->value(), 6);
        QCOMPARE(Shown(), QString("6,, 70.785"));
        QCOMPARE(Text("tbPosLabel"), QString("6"));
    }

    void enteringReadsTheShownTextNotThePosition() {
        Open();
        Track()->setValue(12);
        QCOMPARE(Shown(), QString("4,6, 113.48")); // just below 113.48
        TabAwayAndBack();
        QCOMPARE(Track()->value(), 13);
        QCOMPARE(Shown(), QString("3,7, 118.74"));
    }

    void clickingTheTrackBarEntersIt() {
        Open();
        QTest::keyClick(Track(), Qt::Key_Right);
        Choose("SpringGroup1", "3");
        QTest::mouseClick(Track(), Qt::LeftButton, {}, QPoint(2, Track()->height() / 2));
        QCOMPARE(QApplication::focusWidget(), Track());
        QCOMPARE(Track()->value(), 1);
        QCOMPARE(Shown(), QString("1,3,5 100.865"));
    }

    void activatingTheWindowAgainIsNotEntering() {
        Open();
        QTest::keyClick(Track(), Qt::Key_Right);
        // A choice made without moving the focus, then another window takes the focus and gives it back.
        Get<QWidget>("SpringGroup1")->findChildren<QRadioButton*>().at(2)->setChecked(true);
        testsupport::WhenModalOpens([](QWidget* modal) { modal->close(); });
        QMessageBox::information(nullptr, "Other window", "Another window takes the focus.");
        Reactivate();
        QCOMPARE(QApplication::focusWidget(), Track());
        QCOMPARE(Shown(), QString("1,4, 56.41"));
        QCOMPARE(Track()->maximum(), 55);
    }

    void pageSizeSliderSetsTheTrackBarsPage() {
        Open();
        auto* pageSize = Get<TThinTrackBar>("psTrackBar1");
        QTest::mouseClick(pageSize, Qt::LeftButton, {}, QPoint(pageSize->width() / 2, 3));
        QTest::keyClick(pageSize, Qt::Key_End);
        QCOMPARE(pageSize->value(), 13);
        QCOMPARE(Text("psPosLabel"), QString("13"));
        QTest::mouseClick(Track(), Qt::LeftButton, {}, QPoint(2, Track()->height() / 2));
        QTest::keyClick(Track(), Qt::Key_PageDown);
        QCOMPARE(Track()->value(), 14);
        QTest::keyClick(Track(), Qt::Key_PageDown);
        QCOMPARE(Track()->value(), 27);
        QTest::keyClick(Track(), Qt::Key_PageUp);
        QCOMPARE(Track()->value(), 14);
    }

    void typedTensionsFindTheFirstSettingThatReachesThem_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above every setting") << "999" << 55 << "10,12, 345.12";
        QTest::newRow("empty searches 30") << "" << 1 << "1,3, 45";
        QTest::newRow("between two settings") << "113" << 12 << "4,6, 113.48";
        QTest::newRow("leading zeros") << "045" << 1 << "1,3, 45";
        QTest::newRow("exactly a setting") << "45" << 1 << "1,3, 45";
    }

    void typedTensionsFindTheFirstSettingThatReachesThem() {
        QFETCH(QString, typed);
        QFETCH(int, position);
        QFETCH(QString, shown);
        Open();
        FindTyped(typed);
        QCOMPARE(form->View(), TForm1::TView::Result);
        QCOMPARE(Track()->value(), position);
        QCOMPARE(Shown(), shown);
        QCOMPARE(QApplication::focusWidget(), Track());
    }

    void theEntryBoxTakesOnlyDigits() {
        Open();
        ClickTension();
        QCOMPARE(Entry()->text(), QString("45"));
        QCOMPARE(QApplication::focusWidget(), Entry());
        Entry()->clear();
        QTest::keyClicks(Entry(), "a1 .-2x");
        QTest::keyClick(Entry(), Qt::Key_Return);
        QCOMPARE(Entry()->text(), QString("12"));
        QTest::keyClicks(Entry(), "3456");
        QCOMPARE(Entry()->text(), QString("123"));
        QTest::keyClick(Entry(), Qt::Key_Backspace);
        QCOMPARE(Entry()->text(), QString("12"));
        QTest::keyClick(Entry(), Qt::Key_Home);
        QTest::keyClick(Entry(), Qt::Key_Delete);
        QCOMPARE(Entry()->text(), QString("2"));

        // Focus moves and paste are no typed characters.
        QTest::keyClick(Entry(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Get<QWidget>("Button1"));
        Entry()->setFocus();
        QApplication::clipboard()->setText("9x9");
        Entry()->selectAll();
        QTest::keyClick(Entry(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Entry()->text(), QString("9x9")); // pasting is not filtered
    }

    void clickingTheTensionTakesItsWholePart() {
        Open();
        Track()->setValue(12);
        ClickTension();
        QCOMPARE(Entry()->text(), QString("113"));
        QVERIFY(Get<QLabel>("Spring1Label")->text().isEmpty());
        QCOMPARE(Text("ResultLabel"), QString("Enter a value"));
        Click("Button1");
        QCOMPARE(Shown(), QString("4,6, 113.48"));
        QCOMPARE(Text("ResultLabel"), QString("Resulting Tension"));
    }

    void pastedTextThatIsNoNumberSearches190() {
        Open();
        ClickTension();
        Entry()->setText("abc"); // as pasting through the context menu leaves it
        Click("Button1");
        QCOMPARE(Shown(), QString("4,10, 190.69")); // the first two-spring setting of at least 190.1
    }

    void everyViewHasItsSizeCaptionAndControls() {
        Open();
        const auto expect = [this](TForm1::TView view, bool list, QSize size, const char* caption) {
            QCOMPARE(form->View(), view);
            QCOMPARE(form->ListShown(), list);
            QCOMPARE(Client(), size);
            QCOMPARE(form->windowTitle(), QString(caption));
            const bool result = view == TForm1::TView::Result;
            QCOMPARE(Get<QWidget>("TensionResult")->isVisible(), result);
            QCOMPARE(Track()->isVisible(), result);
            QCOMPARE(Get<QWidget>("PanelTrack")->isVisible(), result);
            QCOMPARE(Entry()->isVisible(), !result);
            QCOMPARE(Get<QWidget>("Button1")->isVisible(), !result);
            QCOMPARE(Get<QWidget>("Button3")->isVisible(), !result && !list);
            QCOMPARE(Get<QWidget>("ListBox1")->isVisible(), list);
            QCOMPARE(Get<QWidget>("Panel1")->isVisible(), list);
            for (const char* always :
                 {"SpringGroup1", "GripGroup2", "ButtonAbout", "SpeedButtonConv", "Spring1Label"})
                QVERIFY2(Get<QWidget>(always)->isVisible(), always);
        };
        using V = TForm1::TView;
        expect(V::Result, false, {270, 305}, " Varnok Handvise");
        ClickTension();
        expect(V::Entry, false, {225, 259}, " KTX Calc");
        Click("Button3");
        expect(V::Entry, true, {327, 361}, " Varnok Handvise Calculator");
        Click("Button1");
        expect(V::Result, true, {327, 361}, " Varnok Handvise Calculator");
        ClickTension();
        expect(V::Entry, true, {327, 361}, " Varnok Handvise Calculator");
        Click("Button2");
        expect(V::Entry, false, {225, 259}, " KTX Calc");
        Click("Button1");
        expect(V::Result, false, {270, 305}, " Varnok Handvise");

        // From the result view with the list: hiding it re-runs the search for the shown tension.
        ClickTension();
        Click("Button3");
        Entry()->setText("200");
        Click("Button1");
        QCOMPARE(Shown(), QString("3,11, 202.97"));
        Choose("SpringGroup1", "3");
        Click("Button2");
        expect(V::Result, false, {270, 305}, " Varnok Handvise");
        QCOMPARE(QApplication::focusWidget(), Track());
        QCOMPARE(Track()->maximum(), 120);
    }

    void choosingAListLineGoesToTheEntryView() {
        Open();
        ClickTension();
        Click("Button3");
        Click("Button1"); // result view with the list
        auto* list = Get<QListWidget>("ListBox1");
        QCOMPARE(list->count(), 45);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
        QCOMPARE(form->View(), TForm1::TView::Entry);
        QCOMPARE(Entry()->text(), QString("113"));
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(Client(), QSize(327, 361));
        QCOMPARE(form->windowTitle(), QString(" Varnok Handvise Calculator"));
        QVERIFY(Get<QLabel>("Spring1Label")->text().isEmpty());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(Entry()->text(), QString("118"));
        Click("Button1");
        QCOMPARE(Shown(), QString("3,7, 118.74"));
    }

    void refillingTheListIsNotChoosingALine() {
        Open();
        ClickTension();
        Entry()->setText("7");
        Click("Button3");
        auto* slider = Get<TThinTrackBar>("TLTrackBar1");
        slider->setValue(2);
        slider->setValue(3);
        QCOMPARE(Entry()->text(), QString("7"));
        QCOMPARE(Get<QListWidget>("ListBox1")->currentRow(), -1);
    }

    void theListCountsEveryTableAndRange_data() {
        QTest::addColumn<QString>("springs");
        QTest::addColumn<QString>("grip");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        struct Row {
            const char* springs;
            const char* grip;
            int counts[3];
            const char* ends[3][2];
        };
        const Row rows[] = {
            {"1", "Inner", {5, 5, 0}, {{"105", "197"}, {"105", "197"}, {"", ""}}},
            {"1", "Outer", {3, 3, 0}, {{"103", "137"}, {"103", "137"}, {"", ""}}},
            {"2", "Inner", {45, 26, 19}, {{"101", "345"}, {"101", "203"}, {"210", "345"}}},
            {"2", "Outer", {31, 27, 4}, {{"100", "241"}, {"100", "199"}, {"208", "241"}}},
            {"3", "Inner", {106, 23, 83}, {{"100", "451"}, {"100", "203"}, {"204", "451"}}},
            {"3", "Outer", {89, 52, 37}, {{"100", "315"}, {"100", "203"}, {"207", "315"}}},
        };
        for (const Row& row : rows)
            for (int range = 1; range <= 3; ++range)
                QTest::addRow("%s %s, setting %d", row.springs, row.grip, range)
                    << row.springs << row.grip << range << row.counts[range - 1] << row.ends[range - 1][0]
                    << row.ends[range - 1][1];
    }

    void theListCountsEveryTableAndRange() {
        QFETCH(QString, springs);
        QFETCH(QString, grip);
        QFETCH(int, range);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        Open();
        Choose("SpringGroup1", springs.toLatin1());
        Choose("GripGroup2", grip.toLatin1());
        ClickTension();
        Click("Button3");
        auto* slider = Get<TThinTrackBar>("TLTrackBar1");
        QTest::mouseClick(slider, Qt::LeftButton, {},
                          QPoint(2, slider->height() / 2)); // focus without moving
        QTest::keyClick(slider, Qt::Key_Home);
        for (int i = 1; i < range; ++i)
            QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(slider->value(), range);
        auto* list = Get<QListWidget>("ListBox1");
        QCOMPARE(list->count(), count);
        if (count > 0) {
            QCOMPARE(list->item(0)->text(), first);
            QCOMPARE(list->item(count - 1)->text(), last);
        }
    }

    void f1OpensHelpAtTheFocusedControlsTopic() {
        QList<QUrl> opened;
        const auto previous = controls::SetHelpViewer([&](QWidget*, const QUrl& url) { opened << url; });
        Open();
        QTest::keyClick(Track(), Qt::Key_F1);
        Choose("SpringGroup1", "2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        Choose("GripGroup2", "Inner");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        ClickTension();
        QTest::keyClick(Entry(), Qt::Key_F1);
        controls::SetHelpViewer(previous);

        QCOMPARE(opened.size(), 4);
        const QString page =
            QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath("ktxcalc.html"))
                .toString();
        QCOMPARE(opened[0].toString(), page + "#context-3");
        QCOMPARE(opened[1].fragment(), QString("context-2"));
        QCOMPARE(opened[2].fragment(), QString("context-1"));
        QCOMPARE(opened[3].fragment(), QString("context-4"));
    }

    void numbersKeepThePointUnderACommaLocale() {
        testsupport::ScopedLocale german("de_DE.UTF-8");
        if (!german.Active())
            QSKIP("de_DE.UTF-8 is not installed");
        Open();
        QTest::keyClick(Track(), Qt::Key_Right);
        QCOMPARE(Shown(), QString("1,4, 56.41"));
        Track()->setValue(12);
        TabAwayAndBack();
        QCOMPARE(Shown(), QString("3,7, 118.74")); // "113.48" read back with its point
    }

    void percentagesOfTheHeldTension() {
        Open();
        ClickTension();
        Entry()->clear();
        {
            testsupport::ModalRecorder boxes;
            Click("SpeedButtonP1");
            QTRY_COMPARE(boxes.Texts().size(), 1);
            QCOMPARE(boxes.Texts().first(),
                     QString("Invalid input.\n\nAvoid this error by entering integers only."));
        }
        QCOMPARE(Entry()->text(), QString("170"));

        QStringList lines;
        testsupport::WhenModalOpens([&](QWidget* dialog) {
            lines = Child<QPlainTextEdit>(dialog, "PercMemo")->toPlainText().split('\n');
            QCOMPARE(dialog->windowTitle(), QString("Percentages"));
            QTest::mouseClick(Child<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
        });
        Click("SpeedButtonP1");
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.first(), QString("40 percent : 68"));
        QCOMPARE(lines.last(), QString("160 percent : 272"));

        Reactivate();
        Click("Button1");
        Choose("GripGroup2", "Outer");
        Choose("SpringGroup1", "2");
        TabIntoTrackBar();
        QTest::keyClick(Track(), Qt::Key_Home);
        QCOMPARE(Text("TensionResult"), QString("31.5"));
        testsupport::WhenModalOpens([&](QWidget* dialog) {
            lines = Child<QPlainTextEdit>(dialog, "PercMemo")->toPlainText().split('\n');
            dialog->close();
        });
        Click("SpeedButtonP1");
        QCOMPARE(lines.at(6), QString("100 percent : 32"));
    }

    void percentagesOfATypedTension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("0") << "0"
                           << "40 percent : 0"
                           << "160 percent : 0";
        QTest::newRow("113") << "113"
                             << "40 percent : 45.2"
                             << "160 percent : 180.8";
        QTest::newRow("999") << "999"
                             << "40 percent : 399.6"
                             << "160 percent : 1598.4";
    }

    void percentagesOfATypedTension() {
        QFETCH(QString, typed);
        QFETCH(QString, first);
        QFETCH(QString, last);
        Open();
        ClickTension();
        Entry()->clear();
        QTest::keyClicks(Entry(), typed);
        QStringList lines;
        testsupport::WhenModalOpens([&](QWidget* dialog) {
            lines = Child<QPlainTextEdit>(dialog, "PercMemo")->toPlainText().split('\n');
            dialog->close();
        });
        Click("SpeedButtonP1");
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.first(), first);
        QCOMPARE(lines.last(), last);
        QCOMPARE(Entry()->text(), typed);
    }

    void conversionOfTheHeldTension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("shown 345.12")
            << QString() << QStringList{"345.1200", "10.7267", "156.5454", "1535.1702"};
        QTest::newRow("typed 999") << "999" << QStringList{"999.0000", "31.0499", "453.1434", "4443.7734"};
        QTest::newRow("typed 170") << "170" << QStringList{"170.0000", "5.2838", "77.1115", "756.1977"};
    }

    void conversionOfTheHeldTension() {
        QFETCH(QString, typed);
        QFETCH(QStringList, values);
        Open();
        if (typed.isNull()) {
            QTest::keyClick(Track(), Qt::Key_End);
        } else {
            ClickTension();
            Entry()->setText(typed);
        }
        QStringList shown;
        testsupport::WhenModalOpens([&](QWidget* dialog) {
            for (const char* name : {"PoundLabel", "SlugLabel", "KilogLabel", "NewtonLabel"})
                shown << Child<QLabel>(dialog, name)->text();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        Click("SpeedButtonConv");
        QCOMPARE(shown, values);
    }

    // Drawn as vectors: at a scale factor of 2 the icons come at twice their pixels, not blown up.
    void toolIconsStayCrispAtDoubleScale() {
        Open();
        for (const char* tool :
             {"SpeedButtonCenter", "SpeedButtonDateTime", "SpeedButtonP1", "SpeedButtonConv"}) {
            const QPixmap pixmap = Get<QToolButton>(tool)->icon().pixmap(QSize(16, 16), 2.0);
            QCOMPARE(pixmap.size(), QSize(32, 32));
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        }
    }

    void pastedTextGivesInvalidInputInBothTools() {
        Open();
        ClickTension();
        for (const char* tool : {"SpeedButtonConv", "SpeedButtonP1"}) {
            Entry()->setText("a.b");
            testsupport::ModalRecorder boxes;
            Click(tool);
            QTRY_COMPARE(boxes.Texts().size(), 1);
            QVERIFY(boxes.Texts().first().startsWith("Invalid input."));
            QCOMPARE(Entry()->text(), QString("170"));
        }
    }

    void dateAndTimeShowsTheLocalesForms() {
        Open();
        testsupport::ModalRecorder boxes;
        Click("SpeedButtonDateTime");
        QTRY_COMPARE(boxes.Texts().size(), 1);
        const QStringList parts = boxes.Texts().first().split('\n');
        QCOMPARE(parts.size(), 2);
        QCOMPARE(parts[0], QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
        QVERIFY(QTime::fromString(parts[1], "H:mm:ss").isValid() || parts[1].contains(':'));
    }

    void aboutOpensTheCalculatorsAboutBoxAndFreesIt() {
        Open();
        bool calculatorLayout = false;
        QPointer<QWidget> shown;
        testsupport::WhenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<controls::TAboutBox*>(modal);
            calculatorLayout =
                box != nullptr && box->DialogLayout() == controls::TAboutBox::Layout::Calculator;
            shown = modal;
            modal->close();
        });
        Click("ButtonAbout");
        QVERIFY(calculatorLayout);
        QTRY_VERIFY(shown.isNull());
    }

    void centringUsesTheOuterSize() {
        Open();
        const QRect screen = form->screen()->geometry();
        form->move(0, 0);
        Click("SpeedButtonCenter");
        const QRect frame = form->frameGeometry();
        QCOMPARE(frame.left(), (screen.width() - frame.width()) / 2);
        QCOMPARE(frame.top(), (screen.height() - frame.height()) / 2);
        const QPoint resultPlace = frame.topLeft();
        ClickTension();
        Click("Button3");
        Click("SpeedButtonCenter");
        QVERIFY(form->frameGeometry().left() < resultPlace.x());
        QVERIFY(form->frameGeometry().top() < resultPlace.y());
    }
};

QTEST_MAIN(TestCalcMainWindow)
#include "tst_calc_main_window.moc"
