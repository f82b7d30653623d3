// The training cycle's preview window driven as a user drives it: opened from the designer, the zoom
// box and the control's own zoom, the gray view, printing to the CUPS-PDF queue "PDF"
// (scripts/cups-test-printer.sh starts it) with its captions, saving as PDF through the real library
// beside the test program, failures, and a system without printer or PDF library.
#include "controls/Application.h"
#include "controls/ThinTrackBar.h"
#include "designer/CycleGenerator.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "preview/Preview.h"
#include "tests/support/PdfTools.h"
#include "tests/support/Readability.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using controls::TThinTrackBar;
using preview::TPrintPreview;
using testsupport::Child;
using testsupport::HaveTools;

namespace {

const QString Title = QStringLiteral("Varnok Handvise");

designer::CycleTable DefaultCycle() {
    model::TensionModel model(model::SortVariant::Designer);
    designer::CycleTable cycle{};
    designer::GenerateCycle(model, cycle, 196, 2, "Inner", 2);
    return cycle;
}

// The preview with its dialogs answered by the test.
class PreviewForm : public designer::TForm2 {
public:
    using TForm2::TForm2;
    std::function<bool()> printDialog;
    std::function<QString()> saveDialog;

protected:
    bool ExecPrintDialog() override { return printDialog ? printDialog() : TForm2::ExecPrintDialog(); }
    QString ExecSaveDialog() override { return saveDialog ? saveDialog() : TForm2::ExecSaveDialog(); }
};

// A system without printers.
class NoPrinter : public preview::TPrinter {
public:
    bool Installed() const override { return false; }
    int Resolution() const override { return 300; }
    QPageLayout PageLayout() const override { return {}; }
    void SetPaper(const QPageSize&, QPageLayout::Orientation) override {}
    QList<QPageSize> SupportedPageSizes() const override { return {}; }
    QString Title() const override { return {}; }
    void SetTitle(const QString&) override {}
    void BeginDoc() override { throw preview::EPrintError("no printer"); }
    void NewPage() override {}
    void EndDoc() override {}
    void Abort() override {}
    bool Printing() const override { return false; }
    bool Aborted() const override { return false; }
    preview::TCanvas& Canvas() override { return canvas_; }

private:
    preview::TDeviceCanvas canvas_;
};

// A printer that is there but never gets a job.
class InstalledPrinter : public NoPrinter {
public:
    bool Installed() const override { return true; }
};

} // namespace

class TestRoutinePreview : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PreviewForm> form;
    QTemporaryDir dir;

    // Shows the preview on the default cycle and waits until its page is made.
    PreviewForm* Open(std::unique_ptr<preview::TPrinter> printer = nullptr) {
        form = std::make_unique<PreviewForm>(DefaultCycle());
        if (printer)
            Preview()->SetPrinter(std::move(printer));
        testsupport::ShowActive(form.get());
        QElapsedTimer waited;
        waited.start();
        while ((Preview()->TotalPages() == 0 || Preview()->State() != preview::TPreviewState::Idle) &&
               waited.elapsed() < 5000)
            QTest::qWait(10);
        return form.get();
    }

    template <class T> T* Get(const char* name) { return Child<T>(form.get(), QLatin1String(name)); }
    TPrintPreview* Preview() { return Get<TPrintPreview>("PrintPreview1"); }
    QComboBox* ZoomBox() { return Get<QComboBox>("ComboBoxZoom"); }
    TThinTrackBar* Bar(const char* name) { return Get<TThinTrackBar>(name); }
    void Click(const char* name) { QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton); }

    // Opens the zoom box's list and clicks an item.
    void ChooseZoom(int index) {
        QComboBox* box = ZoomBox();
        box->showPopup();
        QAbstractItemView* list = box->view();
        QTRY_VERIFY(list->isVisible());
        const QRect item = list->visualRect(box->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!list->isVisible());
    }

    void CtrlWheel(int notches) {
        QWidget* viewport = Preview()->viewport();
        const QPoint at = viewport->rect().center();
        QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
    }

    // The print dialog's step: the user picks the queue "PDF" and prints.
    void PrintToPdfQueue() {
        form->printDialog = [this] {
            dynamic_cast<preview::TSystemPrinter&>(Preview()->Printer())
                .QtPrinter()
                .setPrinterName(QStringLiteral("PDF"));
            return true;
        };
    }

private slots:
    void initTestCase() {
        controls::TApplication::SetTitle(Title);
        QVERIFY(dir.isValid());
    }

    void cleanup() { form.reset(); }

    // The preview component starts by itself: this program never asks it to, and finds the library
    // beside itself and the hand cursors registered.
    void theComponentStartsByItself() {
        QCOMPARE(preview::TPrintPreview::PdfLibraryFile(),
                 QCoreApplication::applicationDirPath() + "/libdspdf.so");
        QVERIFY(preview::TScreenCursors::Registered(preview::crHand));
        QVERIFY(preview::TScreenCursors::Registered(preview::crGrab));
    }

    void theDesignerOpensTheSheetAtOneHundredPercent() {
        designer::TForm1 designerWindow;
        designerWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&designerWindow));
        struct Seen {
            QPointer<QWidget> window;
            QString caption, zoomText;
            int pages = 0, zoom = 0, zoomIndex = -2;
            preview::TZoomState state{};
            preview::TPaperType paper{};
            bool annotation = false, canSave = false, closedAfter = false;
            QSize minimum;
        };
        QList<Seen> seen;
        std::function<void(QWidget*)> whenReady = [&](QWidget* modal) {
            auto* preview = modal->findChild<TPrintPreview*>("PrintPreview1");
            // The page is recorded at the first activation, which lets events run: read it when idle.
            if (preview == nullptr || preview->TotalPages() == 0 ||
                preview->State() != preview::TPreviewState::Idle) {
                testsupport::WhenModalOpens(whenReady);
                return;
            }
            auto* box = Child<QComboBox>(modal, "ComboBoxZoom");
            seen << Seen{modal,
                         modal->windowTitle(),
                         box->currentText(),
                         preview->TotalPages(),
                         preview->Zoom(),
                         box->currentIndex(),
                         preview->ZoomState(),
                         preview->PaperType(),
                         preview->Annotation(),
                         Child<QPushButton>(modal, "SavePDFButton")->isEnabled(),
                         false,
                         modal->minimumSize()};
            for (const char* name : {"ToolBar", "Bevel1", "Bevel2", "ButtonPrint", "SavePDFButton",
                                     "Grayscale", "ButtonReset", "ThinTrackBarBright", "ThinTrackBarContrast",
                                     "Label1", "ComboBoxZoom", "Button1", "PreviewArea"})
                QVERIFY2(modal->findChild<QWidget*>(name) != nullptr, name);
            QCOMPARE(preview->parentWidget()->objectName(), QString("PreviewArea"));
            QTest::mouseClick(Child<QPushButton>(modal, "Button1"), Qt::LeftButton);
        };
        for (int generation = 0; generation < 2; ++generation) {
            testsupport::WhenModalOpens(whenReady);
            QTest::mouseClick(Child<QPushButton>(&designerWindow, "ButtonCycle"), Qt::LeftButton);
            testsupport::RunQueuedCalls();
            QCOMPARE(seen.size(), generation + 1);
            // Each generation has a window of its own, gone once closed.
            QVERIFY(seen.last().window.isNull());
            designerWindow.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&designerWindow));
        }
        for (const Seen& shown : seen) {
            QCOMPARE(shown.caption, Title);
            QCOMPARE(shown.pages, 1);
            QCOMPARE(shown.zoom, 100);
            QCOMPARE(shown.state, preview::zsZoomOther);
            QCOMPARE(shown.zoomIndex, 0);
            QCOMPARE(shown.zoomText, QString("100"));
            QCOMPARE(shown.paper, preview::pLetter);
            QVERIFY(shown.annotation);
            QVERIFY(shown.canSave);
            QCOMPARE(shown.minimum, QSize(852, 406));
        }
    }

    void theZoomBoxAndTheControlFollowEachOther() {
        Open();
        QCOMPARE(form->size(), QSize(852, 591));
        QCOMPARE(ZoomBox()->count(), 6);
        // By the list's order.
        struct Choice {
            int zoom; // 0 for a zoom state
            preview::TZoomState state;
        };
        const Choice choices[] = {{100, preview::zsZoomOther},  {150, preview::zsZoomOther},
                                  {200, preview::zsZoomOther},  {0, preview::zsZoomToWidth},
                                  {0, preview::zsZoomToHeight}, {0, preview::zsZoomToFit}};
        const int order[] = {1, 2, 0, 3, 4, 5};
        for (const int index : order) {
            ChooseZoom(index);
            QCOMPARE(Preview()->ZoomState(), choices[index].state);
            if (choices[index].zoom != 0)
                QCOMPARE(Preview()->Zoom(), choices[index].zoom);
            QCOMPARE(ZoomBox()->currentIndex(), index);
        }
        // Zoomed by the control itself to a zoom the list does not have: no item is selected.
        const int fit = Preview()->Zoom();
        CtrlWheel(1);
        QCOMPARE(Preview()->ZoomState(), preview::zsZoomOther);
        QCOMPARE(Preview()->Zoom(), fit + Preview()->ZoomStep());
        QCOMPARE(ZoomBox()->currentIndex(), -1);
        ChooseZoom(1);
        QCOMPARE(Preview()->Zoom(), 150);
        QCOMPARE(ZoomBox()->currentIndex(), 1);
        // The control's keys and wheel reach a zoom of the list: that item is selected.
        for (int i = 0; i < 5; ++i)
            CtrlWheel(1);
        QCOMPARE(Preview()->Zoom(), 200);
        QCOMPARE(ZoomBox()->currentIndex(), 2);
        CtrlWheel(-1);
        QCOMPARE(ZoomBox()->currentIndex(), -1);

        // A zoom typed into the box and Enter zoom, add no item and close nothing.
        ZoomBox()->setFocus();
        ZoomBox()->lineEdit()->selectAll();
        QTest::keyClicks(ZoomBox()->lineEdit(), "130");
        QTest::keyClick(ZoomBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(Preview()->Zoom(), 130);
        QVERIFY(form->isVisible());
        QCOMPARE(ZoomBox()->count(), 6);
        // Typing an item's text is choosing it.
        ZoomBox()->lineEdit()->selectAll();
        QTest::keyClicks(ZoomBox()->lineEdit(), "150");
        QTest::keyClick(ZoomBox()->lineEdit(), Qt::Key_Return);
        QCOMPARE(Preview()->Zoom(), 150);
    }

    void theGrayViewHasBrightnessAndContrast() {
        Open();
        TThinTrackBar* bright = Bar("ThinTrackBarBright");
        TThinTrackBar* contrast = Bar("ThinTrackBarContrast");
        auto* reset = Get<QPushButton>("ButtonReset");
        QVERIFY(!bright->isEnabled() && !contrast->isEnabled() && reset->isHidden());
        QCOMPARE(bright->minimum(), -100);
        QCOMPARE(bright->maximum(), 100);
        QCOMPARE(bright->toolTip(), QString("Brightness"));
        QCOMPARE(contrast->toolTip(), QString("Contrast"));

        Click("Grayscale");
        QCOMPARE(Preview()->Grayscale(), preview::TGrayscaleOptions(preview::gsPreview | preview::gsPrint));
        QVERIFY(bright->isEnabled() && contrast->isEnabled() && reset->isVisible());

        // Dragging the bars' thumbs and their keys set the control's values.
        QTest::mousePress(bright, Qt::LeftButton, {}, bright->ThumbRect().center());
        QTest::mouseMove(bright, bright->ThumbRect().center() + QPoint(60, 0));
        QTest::mouseRelease(bright, Qt::LeftButton, {}, bright->ThumbRect().center());
        QVERIFY(bright->value() > 0);
        QCOMPARE(Preview()->GrayBrightness(), bright->value());
        contrast->setFocus();
        QTest::keyClick(contrast, Qt::Key_Left);
        QTest::keyClick(contrast, Qt::Key_Left);
        QCOMPARE(contrast->value(), -2);
        QCOMPARE(Preview()->GrayContrast(), -2);

        Click("ButtonReset");
        QCOMPARE(bright->value(), 0);
        QCOMPARE(contrast->value(), 0);
        QCOMPARE(Preview()->GrayBrightness(), 0);
        QCOMPARE(Preview()->GrayContrast(), 0);

        QTest::keyClick(contrast, Qt::Key_Right);
        bright->setFocus();
        QTest::keyClick(bright, Qt::Key_End);
        Click("Grayscale");
        QCOMPARE(Preview()->Grayscale(), preview::TGrayscaleOptions());
        QVERIFY(!bright->isEnabled() && !contrast->isEnabled() && reset->isHidden());
        QCOMPARE(bright->value(), 100);
        QCOMPARE(contrast->value(), 1);
        Click("Grayscale");
        QVERIFY(bright->isEnabled() && contrast->isEnabled() && reset->isVisible());
        QCOMPARE(Preview()->GrayBrightness(), 100);
        QCOMPARE(Preview()->GrayContrast(), 1);
    }

    void printingShowsItsProgressInTheCaption() {
        if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("PDF")))
            QSKIP(
                "no CUPS server with the queue PDF answers (scripts/cups-test-printer.sh start sets one up)");
        if (!HaveTools({"pdfinfo"}))
            QSKIP("pdfinfo is not installed (poppler-utils)");
        Open();
        auto* print = Get<QPushButton>("ButtonPrint");
        QVERIFY(print->isEnabled());
        QStringList captions;
        QList<bool> waiting; // the hourglass while each caption was shown
        connect(form.get(), &QWidget::windowTitleChanged, this, [&](const QString& caption) {
            captions << caption;
            waiting << (QApplication::overrideCursor() != nullptr &&
                        QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        });

        // A cancelled dialog prints nothing.
        form->printDialog = [] {
            return false;
        };
        QSignalSpy before(Preview(), &TPrintPreview::OnBeforePrint);
        Click("ButtonPrint");
        QCOMPARE(before.size(), 0);
        QVERIFY(captions.isEmpty());

        PrintToPdfQueue();
        const QDateTime since = QDateTime::currentDateTime().addSecs(-1);
        Click("ButtonPrint");
        QCOMPARE(captions, QStringList({Title + " - Preparing to print...",
                                        Title + " - Printing page 1 of 1 (%0 done)...",
                                        Title + " - Printing page 1 of 1 (%100 done)...", Title}));
        QCOMPARE(waiting, QList<bool>({true, true, true, true}));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(print->isEnabled());

        const auto [file, info] = testsupport::WaitForPrintedPdf(
            "*Training_Cycle*.pdf", [&](const QFileInfo& found) { return found.lastModified() >= since; });
        QVERIFY2(!file.isEmpty(), qPrintable("no new Training Cycle job in " +
                                             testsupport::CupsPdfOutputFolders().join(", ")));
        if (const QString keep = qEnvironmentVariable("HANDVISE_KEEP_OUTPUT"); !keep.isEmpty())
            QFile::copy(file, keep + "/routine-printed.pdf");
        QFile::remove(file);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains("612 x 792 pts"), qPrintable(info));
    }

    void savingWritesTheSheetAsPdf() {
        if (!HaveTools({"pdftotext"}))
            QSKIP("pdftotext is not installed (poppler-utils)");
        Open();
        QVERIFY(Get<QPushButton>("SavePDFButton")->isEnabled());
        QStringList captions;
        QList<bool> waiting;
        connect(form.get(), &QWidget::windowTitleChanged, this, [&](const QString& caption) {
            captions << caption;
            waiting << (QApplication::overrideCursor() != nullptr);
        });
        form->saveDialog = [] {
            return QString();
        };
        Click("SavePDFButton");
        QVERIFY(captions.isEmpty());

        const QString file = dir.filePath("my routine.pdf");
        form->saveDialog = [&] {
            return file;
        };
        Click("SavePDFButton");
        QCOMPARE(captions, QStringList({Title + " - Saving as PDF...", Title}));
        QCOMPARE(waiting, QList<bool>({true, true}));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        const QString text = testsupport::RunTool("pdftotext", {"-layout", file, "-"});
        for (int week = 1; week <= 8; ++week)
            QVERIFY2(text.contains(QStringLiteral("Week : %1").arg(week)), qPrintable(text));
        // The first set of week 1, on the line below its heading.
        const QStringList lines = text.split('\n');
        const qsizetype heading = lines.indexOf(QRegularExpression("^\\s*Week : 1\\s*$"));
        QVERIFY2(heading >= 0 && heading + 1 < lines.size(), qPrintable(text));
        const QString firstSet = lines[heading + 1];
        QVERIFY2(firstSet.contains("2, 8") && firstSet.contains("(127.5) x 8") && firstSet.contains("_ _ _"),
                 qPrintable(firstSet));
    }

    void aFailedSaveIsReportedAndTheSheetStays() {
        if (!HaveTools({"pdfinfo"}))
            QSKIP("pdfinfo is not installed (poppler-utils)");
        Open();
        const QString missing = dir.filePath("missing/folder/myroutine.pdf");
        form->saveDialog = [&] {
            return missing;
        };
        {
            testsupport::ModalRecorder boxes;
            Click("SavePDFButton");
            QTRY_COMPARE(boxes.Texts().size(), 1);
            QVERIFY(!boxes.Texts().first().isEmpty());
            // The box came after the window had its caption and the cursor back.
            QCOMPARE(form->windowTitle(), Title);
            QVERIFY(QApplication::overrideCursor() == nullptr);
        }
        QVERIFY(!QFile::exists(missing));
        // The page is still there and saves.
        const QString file = dir.filePath("again.pdf");
        form->saveDialog = [&] {
            return file;
        };
        Click("SavePDFButton");
        QVERIFY(testsupport::RunTool("pdfinfo", {file}).contains(QRegularExpression("Pages:\\s+1\\n")));
    }

    void theSaveDialogProposesMyRoutineAndAsksBeforeReplacing() {
        const std::unique_ptr<QFileDialog> dialog = designer::TForm2::CreateSaveDialog(nullptr);
        QCOMPARE(dialog->windowTitle(), QString("Save as PDF"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->defaultSuffix(), QString("pdf"));
        QCOMPARE(dialog->nameFilters(), QStringList({"PDF files (*.pdf)", "All Files (*)"}));
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));

        // Through the window's own dialog: an existing file is not replaced without a yes.
        const QString existing = dir.filePath("kept.pdf");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
        }
        Open();
        QString proposed, question;
        testsupport::WhenModalOpens([&](QWidget* modal) {
            auto* save = qobject_cast<QFileDialog*>(modal);
            if (save == nullptr) {
                modal->close();
                return;
            }
            auto* name = save->findChild<QLineEdit*>("fileNameEdit");
            if (name == nullptr) {
                save->reject();
                return;
            }
            proposed = name->text();
            save->setDirectory(dir.path());
            name->setText("kept.pdf");
            testsupport::WhenModalOpens([&](QWidget* box) {
                if (auto* message = qobject_cast<QMessageBox*>(box)) {
                    question = message->text();
                    message->button(QMessageBox::No)->click();
                } else {
                    box->close();
                }
            });
            QTest::keyClick(name, Qt::Key_Return);
            save->reject();
        });
        Click("SavePDFButton");
        QCOMPARE(proposed, QString("myroutine"));
        QVERIFY2(question.contains("kept.pdf") && question.contains("replace"), qPrintable(question));
        QFile file(existing);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
        QCOMPARE(form->windowTitle(), Title);
    }

    void withoutAPrinterNothingIsPrinted() {
        Open(std::make_unique<NoPrinter>());
        QVERIFY(!Get<QPushButton>("ButtonPrint")->isEnabled());
        QCOMPARE(Preview()->TotalPages(), 1);
        // The printable area is the paper.
        QCOMPARE(Preview()->PrinterPageBounds(), QRect(0, 0, 21590, 27940));
        // Other changes of the control keep the button off.
        ChooseZoom(5);
        Click("Grayscale");
        QVERIFY(!Get<QPushButton>("ButtonPrint")->isEnabled());
    }

    // The window follows the theme: on light and dark palettes every text reads and every control is
    // named; the preview control tells its page and zoom.
    void readableAndNamedOnBothThemes_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void readableAndNamedOnBothThemes() {
        QFETCH(bool, dark);
        const testsupport::ScopedAppPalette theme(dark ? testsupport::DarkPalette()
                                                       : QApplication::style()->standardPalette());
        Open();
        Click("Grayscale");
        const testsupport::ContrastReport report = testsupport::MeasureContrast(form.get());
        QVERIFY(report.checked >= 6);
        QVERIFY2(report.poor.isEmpty(), qPrintable(report.poor.join("; ")));
        const QStringList unnamed = testsupport::UnnamedFocusableControls(form.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QCOMPARE(Preview()->accessibleDescription(), QString("Page 1 of 1, zoom 100 %"));
        ChooseZoom(2);
        QCOMPARE(Preview()->accessibleDescription(), QString("Page 1 of 1, zoom 200 %"));
        Bar("ThinTrackBarBright")->setValue(-40);
        auto* bright = QAccessible::queryAccessibleInterface(Bar("ThinTrackBarBright"));
        QCOMPARE(bright->text(QAccessible::Name), QString("Brightness"));
        QCOMPARE(bright->text(QAccessible::Value), QString("-40"));
    }

    // The zoom box follows whatever changes it: a typed zoom within the limits, its list's selection
    // made without opening it (as a screen reader does); text that is no zoom gives way to the zoom in force.
    void theZoomBoxFollowsEverySource_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typed 75") << "75" << -1 << 75 << "75";
        QTest::newRow("typed past the limit") << "1000" << -1 << 200 << "200";
        QTest::newRow("typed text") << "big" << -1 << 100 << "100";
        QTest::newRow("selected in the list") << "" << 1 << 150 << "150";
        QTest::newRow("fit selected") << "" << 5 << -1 << "zoom to fit";
    }

    void theZoomBoxFollowsEverySource() {
        QFETCH(QString, typed);
        QFETCH(int, selected);
        QFETCH(int, zoom);
        QFETCH(QString, shown);
        Open();
        if (selected >= 0) {
            QAbstractItemView* list = ZoomBox()->view();
            list->selectionModel()->select(list->model()->index(selected, 0),
                                           QItemSelectionModel::ClearAndSelect);
        } else {
            ZoomBox()->lineEdit()->selectAll();
            QTest::keyClicks(ZoomBox()->lineEdit(), typed);
            QTest::keyClick(ZoomBox()->lineEdit(), Qt::Key_Return);
        }
        if (zoom > 0)
            QCOMPARE(Preview()->Zoom(), zoom);
        else
            QCOMPARE(Preview()->ZoomState(), preview::zsZoomToFit);
        QCOMPARE(ZoomBox()->currentText(), shown);
    }

    // Grayscale follows the box's state also when code or a screen reader sets it, not only a click.
    void grayscaleFollowsTheBoxWhoeverSetsIt() {
        Open();
        Get<QCheckBox>("Grayscale")->setChecked(true);
        QCOMPARE(Preview()->Grayscale(), preview::TGrayscaleOptions(preview::gsPreview | preview::gsPrint));
        QVERIFY(Bar("ThinTrackBarBright")->isEnabled() && Get<QPushButton>("ButtonReset")->isVisible());
    }

    // The sheet reads aloud week by week: its page object holds the sheet's lines in reading order.
    void theSheetIsReadWeekByWeek() {
        Open();
        QAccessibleInterface* page = QAccessible::queryAccessibleInterface(Preview()->PaperPreview());
        QCOMPARE(page->text(QAccessible::Name), QString("Page 1 of 1"));
        QAccessibleTextInterface* text = page->textInterface();
        QVERIFY(text != nullptr);
        int start = 0, end = 0;
        QCOMPARE(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end), QString("Week : 1\n"));
        const QString firstSet = text->textAfterOffset(0, QAccessible::LineBoundary, &start, &end);
        QVERIFY2(firstSet.startsWith("2, 8") && firstSet.contains("(127.5) x 8"), qPrintable(firstSet));
        const QString all = text->text(0, text->characterCount());
        QCOMPARE(all.count("Week : "), 8);
        QVERIFY(all.indexOf("Week : 7") < all.indexOf("Week : 8"));
        // Each character lies on the sheet where it shows.
        const QRect week = text->characterRect(0);
        QVERIFY(Preview()->PaperPreview()->rect().contains(
            Preview()->PaperPreview()->mapFromGlobal(week.center())));
        QCOMPARE(text->offsetAtPoint(week.center()), 0);
    }

    // Print and save from the keyboard ask their dialogs; Escape closes the window.
    void keysPrintSaveAndClose() {
        Open(std::make_unique<InstalledPrinter>());
        QVERIFY(Get<QPushButton>("SavePDFButton")->isEnabled());
        int printAsked = 0, saveAsked = 0;
        form->printDialog = [&] {
            return ++printAsked, false;
        };
        form->saveDialog = [&] {
            return ++saveAsked, QString();
        };
        QTest::keySequence(form.get(), QKeySequence::Print);
        QTest::keySequence(form.get(), QKeySequence::Save);
        QCOMPARE(printAsked, 1);
        QCOMPARE(saveAsked, 1);
        QTest::keyClick(ZoomBox(), Qt::Key_Escape);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestRoutinePreview)
#include "tst_routine_preview.moc"
