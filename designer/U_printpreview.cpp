#include "designer/U_printpreview.h"

#include "controls/Application.h"
#include "controls/Fonts.h"
#include "controls/Placement.h"
#include "controls/ThinTrackBar.h"
#include "controls/WaitCursor.h"
#include "designer/RoutineSheet.h"
#include "preview/Preview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace designer {

namespace {

// The client area as designed, and the smallest one the window shrinks to: 860 x 440 with its frame,
// which leaves the designed width for the tool panel.
constexpr QSize ClientSize(852, 591);
constexpr QSize MinimumClientSize(852, 406);
constexpr int ToolBarHeight = 93;

// 8 and 10 points at 96 dots per inch.
constexpr int SmallPixels = 11, ButtonPixels = 13;
const QString Tahoma = QStringLiteral("Tahoma");
const QString Verdana = QStringLiteral("Verdana");

// The title of print jobs and of saved PDF files.
QString JobTitle() {
    return TForm2::tr("Training Cycle", "title of the print job");
}

enum ZoomItem { Zoom100, Zoom150, Zoom200, ZoomToWidth, ZoomToHeight, ZoomToFit };

// Controls anchored to the right keep their distance from the window's right edge.
struct RightAnchored {
    const char* Name;
    QRect Designed;
};
const RightAnchored RightAnchors[] = {
    {"Label1", QRect(694, 53, 0, 0)},
    {"ComboBoxZoom", QRect(744, 50, 100, 21)},
    {"Button1", QRect(694, 8, 150, 25)},
};

QPushButton* Button(QWidget* parent, const char* name, QRect rect, const QString& text) {
    auto* button = controls::Place<QPushButton>(parent, name, rect, text);
    // Enter in the zoom box sets the zoom; it must not press a button of the window.
    button->setAutoDefault(false);
    return button;
}

QFrame* RaisedFrame(QWidget* parent, const char* name, QRect rect) {
    auto* frame = controls::Place<QFrame>(parent, name, rect);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return frame;
}

controls::TThinTrackBar* GrayBar(QWidget* parent, const char* name, QRect rect, const QString& hint) {
    auto* bar = controls::Place<controls::TThinTrackBar>(parent, name, rect, Qt::Horizontal);
    bar->setRange(-100, 100);
    bar->setValue(0);
    bar->setEnabled(false);
    bar->setToolTip(hint);
    bar->setAccessibleName(hint);
    bar->SetThumbLength(15);
    bar->SetTickMarks(controls::TTickMarks::tmBoth);
    bar->SetTickStyle(controls::TTickStyle::tsNone);
    return bar;
}

// Ends the recording that BeginDoc opened, also when drawing fails, so the control is never left
// recording.
class DocumentGuard {
public:
    explicit DocumentGuard(preview::TPrintPreview& preview)
        : preview_(preview) {
        preview_.BeginDoc();
    }
    ~DocumentGuard() noexcept(false) {
        if (std::uncaught_exceptions() > uncaught_) {
            try {
                preview_.EndDoc();
            } catch (...) {
                // The drawing's failure is the one to report.
            }
        } else {
            preview_.EndDoc();
        }
    }
    DocumentGuard(const DocumentGuard&) = delete;
    DocumentGuard& operator=(const DocumentGuard&) = delete;

private:
    preview::TPrintPreview& preview_;
    int uncaught_ = std::uncaught_exceptions();
};

QString Title() {
    return controls::TApplication::Title();
}

} // namespace

TForm2::TForm2(const CycleTable& cycle, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , Cycle(cycle) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Print Preview"));
    setFont(controls::PixelFont(QStringLiteral("MS Sans Serif"), SmallPixels));
    setSizeGripEnabled(false);
    CreateControls();
    setMinimumSize(MinimumClientSize);
    resize(ClientSize);
    ConnectHandlers();
    controls::CentreOnFirstShow(this);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::CreateControls() {
    ToolBar = controls::Place<QFrame>(this, "ToolBar", QRect(0, 0, ClientSize.width(), ToolBarHeight));
    ToolBar->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Bevel1 = RaisedFrame(ToolBar, "Bevel1", QRect(8, 8, 121, 76));
    Bevel2 = RaisedFrame(ToolBar, "Bevel2", QRect(135, 8, 553, 76));

    const QFont buttonFont = controls::PixelFont(Tahoma, ButtonPixels);
    ButtonPrint = Button(ToolBar, "ButtonPrint", QRect(17, 17, 100, 25), tr("Print..."));
    ButtonPrint->setFont(buttonFont);
    SavePDFButton = Button(ToolBar, "SavePDFButton", QRect(17, 48, 100, 25), tr("Save as PDF..."));
    SavePDFButton->setFont(buttonFont);

    const QFont verdana = controls::PixelFont(Verdana, SmallPixels);
    Grayscale = controls::Place<QCheckBox>(ToolBar, "Grayscale", QRect(146, 17, 80, 17), tr("Grayscale"));
    Grayscale->setFont(verdana);
    ButtonReset = Button(ToolBar, "ButtonReset", QRect(146, 48, 80, 25),
                         tr("reset", "brightness and contrast back to 0"));
    ButtonReset->setVisible(false);

    ThinTrackBarBright = GrayBar(ToolBar, "ThinTrackBarBright", QRect(232, 21, 449, 21), tr("Brightness"));
    ThinTrackBarContrast = GrayBar(ToolBar, "ThinTrackBarContrast", QRect(232, 52, 449, 21), tr("Contrast"));

    Label1 = controls::FittedLabel(ToolBar, "Label1", QPoint(694, 53), tr("Zoom : "), verdana);

    ComboBoxZoom = controls::Place<QComboBox>(ToolBar, "ComboBoxZoom", QRect(744, 50, 100, 21));
    ComboBoxZoom->setEditable(true);
    // A typed zoom is not a new choice of the list.
    ComboBoxZoom->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxZoom->addItems({QStringLiteral("100"), QStringLiteral("150"), QStringLiteral("200"),
                            tr("zoom to width"), tr("zoom to height"), tr("zoom to fit")});
    ComboBoxZoom->setEditText(QStringLiteral("100"));
    // The box, its edit line and its list each tell a screen reader what they are.
    ComboBoxZoom->setAccessibleName(tr("Zoom"));
    ComboBoxZoom->lineEdit()->setAccessibleName(tr("Zoom"));
    ComboBoxZoom->view()->setAccessibleName(tr("Zoom choices"));
    Label1->setBuddy(ComboBoxZoom);

    Button1 = Button(ToolBar, "Button1", QRect(694, 8, 150, 25), tr("Cancel"));

    PreviewArea = controls::Place<QFrame>(
        this, "PreviewArea",
        QRect(0, ToolBarHeight, ClientSize.width(), ClientSize.height() - ToolBarHeight));
    auto* fill = new QVBoxLayout(PreviewArea);
    fill->setContentsMargins(0, 0, 0, 0);
    PrintPreview1 = new preview::TPrintPreview(PreviewArea);
    PrintPreview1->setObjectName(QStringLiteral("PrintPreview1"));
    PrintPreview1->setFont(controls::PixelFont(QStringLiteral("Arial"), SmallPixels));
    PrintPreview1->SetPaperType(preview::pLetter);
    PrintPreview1->SetZoomMin(20);
    PrintPreview1->SetZoomMax(200);
    PrintPreview1->SetZoomState(preview::zsZoomOther);
    PrintPreview1->SetAnnotation(true);
    PrintPreview1->setAccessibleName(tr("Routine sheet"));
    fill->addWidget(PrintPreview1);

    setTabOrder(ButtonPrint, SavePDFButton);
    setTabOrder(SavePDFButton, Grayscale);
    setTabOrder(Grayscale, ButtonReset);
    setTabOrder(ButtonReset, ThinTrackBarBright);
    setTabOrder(ThinTrackBarBright, ThinTrackBarContrast);
    setTabOrder(ThinTrackBarContrast, ComboBoxZoom);
    setTabOrder(ComboBoxZoom, Button1);
    setTabOrder(Button1, PrintPreview1);
}

void TForm2::ConnectHandlers() {
    // Every handler runs guarded: a failure reaches the error display, never the event loop.
    using preview::TPrintPreview;
    connect(ButtonPrint, &QPushButton::clicked, this, controls::Guarded(this, &TForm2::ButtonPrintClick));
    connect(SavePDFButton, &QPushButton::clicked, this, controls::Guarded(this, &TForm2::SavePDFButtonClick));
    // The box's state, whoever changed it: a click, Space, a screen reader or code.
    connect(Grayscale, &QCheckBox::toggled, this, controls::Guarded(this, &TForm2::GrayscaleClick));
    connect(ButtonReset, &QPushButton::clicked, this, controls::Guarded(this, &TForm2::ButtonResetClick));
    connect(ThinTrackBarBright, &QSlider::valueChanged, this,
            controls::Guarded(this, &TForm2::ThinTrackBarBrightChange));
    connect(ThinTrackBarContrast, &QSlider::valueChanged, this,
            controls::Guarded(this, &TForm2::ThinTrackBarContrastChange));
    // An item chosen by any means zooms (the selection set from the control does not come back); a typed
    // zoom applies when the typing ends.
    connect(ComboBoxZoom, &QComboBox::currentIndexChanged, this,
            controls::Guarded(this, &TForm2::ComboBoxZoomChange));
    connect(ComboBoxZoom->lineEdit(), &QLineEdit::editingFinished, this,
            controls::Guarded(this, &TForm2::ComboBoxZoomTyped));
    // A screen reader chooses an item by selecting it in the closed box's list: the box takes it. While
    // the list is open, its selection only follows the pointer and keys until the user picks an item.
    connect(ComboBoxZoom->view()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList chosen = ComboBoxZoom->view()->selectionModel()->selectedRows();
        if (!ComboBoxZoom->view()->isVisible() && !chosen.isEmpty())
            ComboBoxZoom->setCurrentIndex(chosen.constFirst().row());
    });
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
    // Print and save from the keyboard: the buttons' keys press them only while they are enabled.
    // Escape closes the window as "Cancel" does (the dialog's own key).
    const auto pressWhenEnabled = [this](QKeySequence::StandardKey key, QPushButton* button) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled())
                button->click();
        });
    };
    pressWhenEnabled(QKeySequence::Print, ButtonPrint);
    pressWhenEnabled(QKeySequence::Save, SavePDFButton);

    connect(PrintPreview1, &TPrintPreview::OnBeginDoc, this,
            controls::Guarded(this, &TForm2::PrintPreview1BeginDoc));
    connect(PrintPreview1, &TPrintPreview::OnEndDoc, this,
            controls::Guarded(this, &TForm2::PrintPreview1EndDoc));
    connect(PrintPreview1, &TPrintPreview::OnChange, this,
            controls::Guarded(this, &TForm2::PrintPreview1Change));
    connect(PrintPreview1, &TPrintPreview::OnZoomChange, this,
            controls::Guarded(this, &TForm2::PrintPreview1ZoomChange));
    connect(PrintPreview1, &TPrintPreview::OnBeforePrint, this,
            controls::Guarded(this, &TForm2::PrintPreview1BeforePrint));
    connect(PrintPreview1, &TPrintPreview::OnAfterPrint, this,
            controls::Guarded(this, &TForm2::PrintPreview1AfterPrint));
    connect(PrintPreview1, &TPrintPreview::OnPrintProgress, this,
            [this](int pageNo, int progress, bool& abortIt) {
                controls::RunGuarded([&] { PrintPreview1PrintProgress(pageNo, progress, abortIt); });
            });
    connect(PrintPreview1, &TPrintPreview::OnAnnotation, this, [this](int pageNo, preview::TCanvas& canvas) {
        controls::RunGuarded([&] { PrintPreview1Annotation(pageNo, canvas); });
    });
}

void TForm2::FormCreate() {
    PrintPreview1->SetZoom(100);
    PrintPreview1ZoomChange();
    SavePDFButton->setEnabled(PrintPreview1->CanSaveAsPDF());
    ThinTrackBarBright->setValue(PrintPreview1->GrayBrightness());
    ThinTrackBarContrast->setValue(PrintPreview1->GrayContrast());
    FirstActivation = true;
}

std::unique_ptr<QFileDialog> TForm2::CreateSaveDialog(QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, tr("Save as PDF"));
    dialog->setObjectName(QStringLiteral("SavePDFDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({tr("PDF files (*.pdf)"), tr("All Files (*)")});
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->selectFile(QStringLiteral("myroutine"));
    // DontConfirmOverwrite stays off: replacing an existing file is asked first, as every save dialog
    // of the desktop does.
    return dialog;
}

bool TForm2::ExecPrintDialog() {
    auto* printer = dynamic_cast<preview::TSystemPrinter*>(&PrintPreview1->Printer());
    if (printer == nullptr)
        return true; // a printer that is not the system's has no dialog
    QPrintDialog dialog(&printer->QtPrinter(), this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setMinMax(1, PrintPreview1->TotalPages());
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

QString TForm2::ExecSaveDialog() {
    const std::unique_ptr<QFileDialog> dialog = CreateSaveDialog(this);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

bool TForm2::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        controls::RunGuarded([this] { FormActivate(); });
    return handled;
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceControls();
}

void TForm2::PlaceControls() {
    ToolBar->setGeometry(0, 0, width(), ToolBarHeight);
    PreviewArea->setGeometry(0, ToolBarHeight, width(), height() - ToolBarHeight);
    const int shift = width() - ClientSize.width();
    for (const RightAnchored& anchored : RightAnchors) {
        auto* widget = ToolBar->findChild<QWidget*>(QLatin1String(anchored.Name));
        widget->move(anchored.Designed.left() + shift, anchored.Designed.top());
    }
}

void TForm2::FormActivate() {
    if (!FirstActivation)
        return;
    FirstActivation = false;
    // The window shows itself before the page is recorded.
    repaint();
    CreateRoutinePages();
}

void TForm2::CreateRoutinePages() {
    DocumentGuard document(*PrintPreview1);
    DrawRoutineSheet(*PrintPreview1, Cycle);
}

void TForm2::UpdatePrintButton() {
    ButtonPrint->setEnabled(PrintPreview1->PrinterInstalled() && PrintPreview1->TotalPages() > 0);
}

void TForm2::ButtonPrintClick() {
    if (!ExecPrintDialog())
        return;
    const controls::TWaitCursor wait;
    PrintPreview1->SetPrintJobTitle(JobTitle());
    // A failed job has already restored the caption and the button through OnAfterPrint.
    PrintPreview1->Print();
}

void TForm2::SavePDFButtonClick() {
    const QString fileName = ExecSaveDialog();
    if (fileName.isEmpty())
        return;
    const controls::TWaitCursor wait;
    setWindowTitle(Title() + tr(" - Saving as PDF..."));
    // The PDF carries the document's title, as a print job does.
    PrintPreview1->SetPrintJobTitle(JobTitle());
    // The caption returns before a failure reaches the error display.
    struct CaptionGuard {
        TForm2* Form;
        ~CaptionGuard() { Form->setWindowTitle(Title()); }
    } caption{this};
    PrintPreview1->SaveAsPDF(fileName);
}

void TForm2::GrayscaleClick() {
    const bool gray = Grayscale->isChecked();
    PrintPreview1->SetGrayscale(gray ? preview::TGrayscaleOptions(preview::gsPreview | preview::gsPrint)
                                     : preview::TGrayscaleOptions());
    ThinTrackBarBright->setEnabled(gray);
    ThinTrackBarContrast->setEnabled(gray);
    ButtonReset->setVisible(gray);
}

void TForm2::ButtonResetClick() {
    ThinTrackBarBright->setValue(0);
    ThinTrackBarContrast->setValue(0);
}

void TForm2::ThinTrackBarBrightChange(int position) {
    PrintPreview1->SetGrayBrightness(position);
}

void TForm2::ThinTrackBarContrastChange(int position) {
    PrintPreview1->SetGrayContrast(position);
}

void TForm2::ComboBoxZoomChange(int index) {
    switch (index) {
    case Zoom100:
        PrintPreview1->SetZoom(100);
        break;
    case Zoom150:
        PrintPreview1->SetZoom(150);
        break;
    case Zoom200:
        PrintPreview1->SetZoom(200);
        break;
    case ZoomToWidth:
        PrintPreview1->SetZoomState(preview::zsZoomToWidth);
        break;
    case ZoomToHeight:
        PrintPreview1->SetZoomState(preview::zsZoomToHeight);
        break;
    case ZoomToFit:
        PrintPreview1->SetZoomState(preview::zsZoomToFit);
        break;
    default:
        break; // typed text
    }
}

// A typed percentage zooms within the control's limits; any other text gives way to the zoom in force.
void TForm2::ComboBoxZoomTyped() {
    const QString text = ComboBoxZoom->currentText().trimmed();
    bool number = false;
    const int typed = text.toInt(&number);
    // The text of an item is that item's choice, which the box has made already.
    if (number && ComboBoxZoom->findText(text) < 0)
        PrintPreview1->SetZoom(typed);
    PrintPreview1ZoomChange();
}

void TForm2::PrintPreview1BeginDoc() {
    setWindowTitle(Title() + tr(" - Creating pages..."));
    ButtonPrint->setEnabled(false);
}

void TForm2::PrintPreview1EndDoc() {
    setWindowTitle(Title());
    UpdatePrintButton();
    DescribePreview();
}

// Screen readers hear which page is shown and at what zoom.
void TForm2::DescribePreview() {
    PrintPreview1->setAccessibleDescription(tr("Page %1 of %2, zoom %3 %")
                                                .arg(PrintPreview1->CurrentPage())
                                                .arg(PrintPreview1->TotalPages())
                                                .arg(PrintPreview1->Zoom()));
}

void TForm2::PrintPreview1Change() {
    if (PrintPreview1->State() == preview::TPreviewState::Recording)
        QCoreApplication::processEvents();
    else
        UpdatePrintButton();
}

void TForm2::PrintPreview1ZoomChange() {
    int index = -1;
    switch (PrintPreview1->ZoomState()) {
    case preview::zsZoomToWidth:
        index = ZoomToWidth;
        break;
    case preview::zsZoomToHeight:
        index = ZoomToHeight;
        break;
    case preview::zsZoomToFit:
        index = ZoomToFit;
        break;
    case preview::zsZoomOther:
        switch (PrintPreview1->Zoom()) {
        case 100:
            index = Zoom100;
            break;
        case 150:
            index = Zoom150;
            break;
        case 200:
            index = Zoom200;
            break;
        default:
            break;
        }
        break;
    }
    const QSignalBlocker fromTheControl(ComboBoxZoom);
    ComboBoxZoom->setCurrentIndex(index);
    // A zoom that is none of the items still shows, as the number it is.
    if (index < 0 && PrintPreview1->ZoomState() == preview::zsZoomOther)
        ComboBoxZoom->setEditText(QString::number(PrintPreview1->Zoom()));
    DescribePreview();
}

void TForm2::PrintPreview1PrintProgress(int pageNo, int progress, bool& /*abortIt*/) {
    setWindowTitle(tr("%1 - Printing page %2 of %3 (%%4 done)...")
                       .arg(Title())
                       .arg(pageNo)
                       .arg(PrintPreview1->TotalPages())
                       .arg(progress));
    repaint();
}

void TForm2::PrintPreview1BeforePrint() {
    // The hourglass is already up: the print command holds it until the job ends, also when it fails.
    setWindowTitle(Title() + tr(" - Preparing to print..."));
    ButtonPrint->setEnabled(false);
}

void TForm2::PrintPreview1AfterPrint() {
    setWindowTitle(Title());
    UpdatePrintButton();
}

void TForm2::PrintPreview1Annotation(int /*pageNo*/, preview::TCanvas& canvas) {
    // The printable area of the current printer, as dotted lines across the whole paper.
    const QRect area = PrintPreview1->PrinterPageBounds();
    const int width = PrintPreview1->PaperWidth();
    const int height = PrintPreview1->PaperHeight();
    QPainter& painter = canvas.Painter();
    painter.setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
    // QRect's right and bottom lie one unit inside; the area's edges are left + width and top + height.
    const int right = area.left() + area.width();
    const int bottom = area.top() + area.height();
    painter.drawLine(area.left(), 0, area.left(), height);
    painter.drawLine(right, 0, right, height);
    painter.drawLine(0, area.top(), width, area.top());
    painter.drawLine(0, bottom, width, bottom);
}

} // namespace designer
