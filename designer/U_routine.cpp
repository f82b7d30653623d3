#include "designer/U_routine.h"

#include "controls/AboutTexts.h"
#include "controls/AlignEdit.h"
#include "controls/Application.h"
#include "controls/ContextHelp.h"
#include "controls/Deferred.h"
#include "controls/DesignedLook.h"
#include "controls/Fonts.h"
#include "controls/HelpWindow.h"
#include "controls/KeyFilter.h"
#include "controls/LauncherSettings.h"
#include "controls/Placement.h"
#include "controls/StandardKeys.h"
#include "controls/ThinTrackBar.h"
#include "controls/UAbout.h"
#include "controls/UrlOpener.h"
#include "designer/RoutinePreview.h"
#include "model/NumberText.h"

#include <QActionGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace designer {

namespace {

const QString HelpFile = QStringLiteral("ktxsuite.html");
const QString OneToThree = QStringLiteral("1 - 3");

// The maximum an empty box stands for; also the box's start text, so emptying the box gives the same
// cycle the window opened with.
constexpr std::int32_t DefaultMaximum = 196;

// Client area: the controls above the status bar, the status bar along the bottom.
constexpr QSize ClientSize(334, 309);
constexpr int StatusBarHeight = 22;

const QColor WindowColour(239, 239, 239);
const QColor EditColour(238, 238, 255);
using controls::Black;
using controls::Maroon;
using controls::Navy;

const QString Tahoma = QStringLiteral("Tahoma");
const QString Trebuchet = QStringLiteral("Trebuchet MS");
// 8 and 12 points at 96 dots per inch.
constexpr int SmallPixels = 11, LargePixels = 16;

// A label sized to its caption, placed by its top-left corner, in its own text colour.
QLabel* AutoLabel(QWidget* parent, const char* name, QPoint at, const QString& text, const QFont& font,
                  const QColor& colour) {
    QLabel* label = controls::FittedLabel(parent, name, at, text, font);
    controls::SetColours(label, QColor(), colour);
    return label;
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& text) {
    QAction* item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    return item;
}

// A radio item of `group` whose tag tells its handler which choice it is.
QAction* RadioItem(QMenu* menu, QActionGroup* group, const char* name, const QString& text, int tag) {
    QAction* item = MenuItem(menu, name, text);
    item->setCheckable(true);
    item->setData(tag);
    group->addAction(item);
    return item;
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("KTX Routine Designer"));
    // Menu bar and status bar take the window's light palette: black texts on the designed grey.
    controls::SetDesignedLook(this, WindowColour);
    CreateControls();
    CreateMenu();
    CreateStatusBar();
    // The window keeps the client size its controls were placed for: no resizing, no maximising.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ConnectHandlers();
    controls::CentreOnFirstShow(this);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(ClientSize.width(), ClientSize.height() - StatusBarHeight);
    controls::SetColours(client, QColor(), Navy);
    setCentralWidget(client);

    Label7 = controls::Place<QLabel>(
        client, "Label7", QRect(8, 8, 318, 28),
        tr("Enter a value in pounds then click the Training Cycle button to view a suggested eight-week "
           "training cycle."));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Bevel1 = controls::Place<QFrame>(client, "Bevel1", QRect(8, 40, 318, 50));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label1 = AutoLabel(client, "Label1", QPoint(16, 52), tr("Estimated Maximum :"),
                       controls::PixelFont(Tahoma, LargePixels), Navy);

    Edit1 = controls::Place<controls::TAlignEdit>(client, "Edit1", QRect(176, 52, 41, 26));
    Edit1->SetAlignment(controls::TAlignment::taCenter);
    Edit1->setMaxLength(3);
    Edit1->setText(QString::number(DefaultMaximum));
    Edit1->setFont(controls::MonospacePixelFont(LargePixels, true));
    Edit1->setToolTip(tr("Tension in Pounds"));
    Edit1->setTextMargins(0, 0, 0, 0);
    QPalette editPalette = Edit1->palette();
    editPalette.setColor(QPalette::Base, EditColour);
    editPalette.setColor(QPalette::Text, Maroon);
    Edit1->setPalette(editPalette);
    controls::FilterKeyPresses(Edit1, [this](QChar key) { return Edit1KeyPress(key); });
    Label1->setBuddy(Edit1); // names the box for screen readers

    ButtonCycle =
        controls::Place<QPushButton>(client, "ButtonCycle", QRect(223, 52, 90, 26), tr("Training Cycle"));

    const QFont groupFont = controls::PixelFont(Trebuchet, LargePixels);
    GroupBox1 = controls::Place<QGroupBox>(client, "GroupBox1", QRect(8, 96, 318, 77), tr(" Settings "));
    GroupBox1->setFont(groupFont);
    controls::SetColours(GroupBox1, QColor(), Navy);
    Label2 = AutoLabel(GroupBox1, "Label2", QPoint(8, 22), tr("Spring Count : "), groupFont, Black);
    Label3 = AutoLabel(GroupBox1, "Label3", QPoint(120, 25), QStringLiteral("2"),
                       controls::MonospacePixelFont(LargePixels), Navy);
    Label4 = AutoLabel(GroupBox1, "Label4", QPoint(8, 46), tr("Grip Position : "), groupFont, Black);
    Label5 = AutoLabel(GroupBox1, "Label5", QPoint(120, 49), tr("Inner", "grip position"),
                       controls::MonospacePixelFont(LargePixels), Navy);
    // Their texts change at run time; they keep room for the longest ("1 - 3", "Outer").
    Label3->setMinimumWidth(190);
    Label5->setMinimumWidth(190);

    GroupBox2 = controls::Place<QGroupBox>(client, "GroupBox2", QRect(8, 179, 318, 77), tr(" Intensity "));
    GroupBox2->setFont(groupFont);
    controls::SetColours(GroupBox2, QColor(), Navy);
    ThinTrackBar1 = controls::Place<controls::TThinTrackBar>(GroupBox2, "ThinTrackBar1",
                                                             QRect(8, 32, 225, 40), Qt::Horizontal);
    ThinTrackBar1->setRange(0, 2);
    ThinTrackBar1->setValue(2);
    ThinTrackBar1->SetThumbLength(25);
    ThinTrackBar1->setAccessibleName(tr("Intensity"));
    Label6 = AutoLabel(GroupBox2, "Label6", QPoint(239, 34), tr("Heavy", "intensity"),
                       controls::PixelFont(Tahoma, LargePixels), Maroon);
    Label6->setMinimumWidth(70);
    ThinTrackBar1->SetValueText(Label6->text());

    ButtonHelp = controls::Place<QPushButton>(client, "ButtonHelp", QRect(8, 262, 49, 19), tr("Help"));
    ButtonAbout =
        controls::Place<QPushButton>(client, "ButtonAbout", QRect(63, 262, 57, 19), tr("&About..."));
    Button1 = controls::Place<QPushButton>(client, "Button1", QRect(292, 262, 34, 19), tr("E&xit"));

    // Return presses the focused button, as everywhere on the desktop.
    for (QPushButton* button : {ButtonCycle, ButtonHelp, ButtonAbout, Button1})
        button->setAutoDefault(true);

    // The small face last: the controls with faces of their own are not laid out in it first, and nothing
    // measured before the window shows uses it.
    client->setFont(controls::PixelFont(Tahoma, SmallPixels));

    setTabOrder(Edit1, ButtonCycle);
    setTabOrder(ButtonCycle, ThinTrackBar1);
    setTabOrder(ThinTrackBar1, ButtonHelp);
    setTabOrder(ButtonHelp, ButtonAbout);
    setTabOrder(ButtonAbout, Button1);
    Edit1->setFocus();
}

void TForm1::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // The menus carry access keys (Alt+F, Alt+S, Alt+G, Alt+H); the items keep their captions.
    QMenu* file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    Print1 = MenuItem(file, "Print1", tr("&Print..."));
    Print1->setShortcuts(QKeySequence::Print);
    file->addSeparator();
    Exit1 = MenuItem(file, "Exit1", tr("E&xit"));
    Exit1->setShortcuts(controls::StandardKeys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));

    QMenu* springs = bar->addMenu(tr("&Spring Count"));
    springs->setObjectName(QStringLiteral("SpringCount1"));
    auto* springGroup = new QActionGroup(springs);
    springGroup->setObjectName(QStringLiteral("SpringCountGroup"));
    N11 = RadioItem(springs, springGroup, "N11", QStringLiteral("1"), 1);
    N21 = RadioItem(springs, springGroup, "N21", QStringLiteral("2"), 2);
    N31 = RadioItem(springs, springGroup, "N31", QStringLiteral("3"), 3);
    N41 = RadioItem(springs, springGroup, "N41", OneToThree, 4);
    N21->setChecked(true);

    QMenu* grip = bar->addMenu(tr("&Grip Position"));
    grip->setObjectName(QStringLiteral("GripPosition1"));
    auto* gripGroup = new QActionGroup(grip);
    gripGroup->setObjectName(QStringLiteral("GripPositionGroup"));
    Inner1 = RadioItem(grip, gripGroup, "Inner1", tr("Inner", "grip position"), 1);
    Outer1 = RadioItem(grip, gripGroup, "Outer1", tr("Outer", "grip position"), 2);
    Inner1->setChecked(true);

    QMenu* help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    Help2 = MenuItem(help, "Help2", tr("KTX Suite Help"));
    Help2->setShortcuts(QKeySequence::HelpContents);
    VisitWebsite1 = MenuItem(help, "VisitWebsite1", tr("Visit Website"));
    help->addSeparator();
    About1 = MenuItem(help, "About1", tr("&About"));

    // The menus are windows of their own, which inherit no palette: they get the light one too.
    for (QMenu* menu : {file, springs, grip, help})
        menu->setPalette(controls::DesignedPalette(WindowColour));
}

void TForm1::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(StatusBarHeight);
    bar->setSizeGripEnabled(false);
    auto* panel1 = new QLabel(bar);
    panel1->setObjectName(QStringLiteral("StatusPanel1"));
    panel1->setFixedWidth(170);
    auto* panel2 = new QLabel(QStringLiteral(" Varnok Handvise"), bar);
    panel2->setObjectName(QStringLiteral("StatusPanel2"));
    panel2->setFixedWidth(120);
    for (QLabel* panel : {panel1, panel2}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panel);
    }
}

void TForm1::ConnectHandlers() {
    // Every handler runs guarded: a failure reaches the error display, never the event loop.
    const auto guardedItem = [this](void (TForm1::*handler)(QAction*), QAction* item) {
        return [this, handler, item] {
            controls::RunGuarded([&] { (this->*handler)(item); });
        };
    };
    // What opens a modal window runs after the click or menu command has returned (controls/Deferred.h).
    connect(ButtonCycle, &QPushButton::clicked, this,
            controls::GuardedLater(this, &TForm1::ButtonCycleClick));
    connect(Print1, &QAction::triggered, this, controls::GuardedLater(this, &TForm1::ButtonCycleClick));
    connect(ButtonHelp, &QPushButton::clicked, this, controls::Guarded(this, &TForm1::ButtonHelpClick));
    connect(Help2, &QAction::triggered, this, controls::Guarded(this, &TForm1::ButtonHelpClick));
    connect(VisitWebsite1, &QAction::triggered, this, controls::Guarded(this, &TForm1::VisitWebsite1Click));
    connect(ButtonAbout, &QPushButton::clicked, this,
            controls::GuardedLater(this, &TForm1::ButtonAboutClick));
    connect(About1, &QAction::triggered, this, controls::GuardedLater(this, &TForm1::ButtonAboutClick));
    connect(Button1, &QPushButton::clicked, this, controls::Guarded(this, &TForm1::Exit1Click));
    connect(Exit1, &QAction::triggered, this, controls::Guarded(this, &TForm1::Exit1Click));
    for (QAction* item : {N11, N21, N31, N41})
        connect(item, &QAction::triggered, this, guardedItem(&TForm1::SetSpringCount, item));
    for (QAction* item : {Inner1, Outer1})
        connect(item, &QAction::triggered, this, guardedItem(&TForm1::SetGripPostion, item));
    connect(ThinTrackBar1, &QSlider::valueChanged, this,
            controls::Guarded(this, &TForm1::ThinTrackBar1Change));
}

void TForm1::FormCreate() {
    ReadLauncherSettings();
    const std::array<QAction*, 4> springItems = {N11, N21, N31, N41};
    if (StartSpringIndex < springItems.size())
        springItems[StartSpringIndex]->setChecked(true);
    // A value the launcher never writes still counts on: 255 gives 0 springs, which the tension model
    // answers with fixed texts.
    SpringCount = static_cast<std::uint8_t>(StartSpringIndex + 1);
    if (StartGripIndex == 0) {
        GripText = "Inner";
        Inner1->setChecked(true);
    } else if (StartGripIndex == 1) {
        GripText = "Outer";
        Outer1->setChecked(true);
    }
    ShowSpringCount();
    ShowGripText();
}

void TForm1::ReadLauncherSettings() {
    const controls::TLauncherStart start = controls::ReadLauncherStart(QStringLiteral("RoutineD"));
    StartSpringIndex = start.SpringIndex;
    StartGripIndex = start.GripIndex;
}

bool TForm1::Edit1KeyPress(QChar key) const {
    return controls::IsDigitOrBackspace(key);
}

void TForm1::SetSpringCount(QAction* sender) {
    SpringCount = static_cast<std::uint8_t>(sender->data().toInt());
    sender->setChecked(true);
    ShowSpringCount();
}

void TForm1::ShowSpringCount() {
    Label3->setText(SpringCount <= 3 ? QString::number(SpringCount) : OneToThree);
}

void TForm1::SetGripPostion(QAction* sender) {
    if (sender->data().toInt() == 1) {
        GripText = "Inner";
        Inner1->setChecked(true);
    } else {
        GripText = "Outer";
        Outer1->setChecked(true);
    }
    ShowGripText();
}

void TForm1::ShowGripText() {
    // The tension model reads the English grip text; the label shows it in the language in force.
    if (GripText == "Inner")
        Label5->setText(tr("Inner", "grip position"));
    else if (GripText == "Outer")
        Label5->setText(tr("Outer", "grip position"));
    else
        Label5->setText(QString::fromStdString(GripText));
}

void TForm1::ThinTrackBar1Change(int position) {
    const QString names[] = {tr("Light", "intensity"), tr("Medium", "intensity"), tr("Heavy", "intensity")};
    Label6->setText(names[std::clamp(position, 0, 2)]);
    ThinTrackBar1->SetValueText(Label6->text());
}

void TForm1::ButtonCycleClick() {
    const QString text = Edit1->text();
    std::int32_t maximum = DefaultMaximum;
    if (!text.isEmpty()) {
        // Pasted text passes no key filter; its failure reaches the error display, and neither the
        // cycle nor the preview is touched.
        const auto value = model::ParseInteger(text.toStdString());
        if (!value)
            throw std::invalid_argument(tr("'%1' is not a valid integer value").arg(text).toStdString());
        maximum = *value;
    }
    GenerateCycle(model_, Cycle, maximum, SpringCount, GripText, ThinTrackBar1->value());
    try {
        ShowPreview();
    } catch (const ERoutinePreviewMissing& missing) {
        QMessageBox::critical(this, controls::TApplication::Title(), QString::fromStdString(missing.what()));
    } catch (...) {
        QMessageBox::critical(this, controls::TApplication::Title(), tr("Something went wrong."));
    }
}

void TForm1::ShowPreview() {
    ShowRoutinePreview(Cycle);
}

void TForm1::ButtonHelpClick() {
    // The suite's page in the program's own help window, as the calculator shows its help: it needs no
    // browser, and the page is found as every shipped file is (beside the program or installed).
    controls::ShowHelpTopic(this, controls::HelpTopicUrl(HelpFile, 0));
}

void TForm1::VisitWebsite1Click() {
    controls::OpenWebAddress(this, QUrl(QString::fromUtf8(controls::about::MakerPageUrl)));
}

void TForm1::ButtonAboutClick() {
    controls::ShowAboutBox(controls::TAboutBox::Layout::Designer);
}

void TForm1::Exit1Click() {
    close();
}

} // namespace designer
