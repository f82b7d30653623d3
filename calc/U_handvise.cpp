#include "calc/U_handvise.h"

#include "calc/DialogLook.h"
#include "calc/SideTools.h"
#include "calc/ToolIcon.h"
#include "calc/U_convert.h"
#include "calc/U_percentages.h"
#include "controls/AlignEdit.h"
#include "controls/Application.h"
#include "controls/ClickLabel.h"
#include "controls/ContextHelp.h"
#include "controls/Deferred.h"
#include "controls/DesignedLook.h"
#include "controls/Fonts.h"
#include "controls/KeyFilter.h"
#include "controls/LauncherSettings.h"
#include "controls/Placement.h"
#include "controls/RadioGroup.h"
#include "controls/StandardKeys.h"
#include "controls/ThinTrackBar.h"
#include "controls/UAbout.h"
#include "controls/WindowRole.h"
#include "model/NumberText.h"

#include <QDateTime>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolButton>

#include <iterator>

namespace calc {

namespace {

// The captions of the result label and of the window's views, in the language in force.
QString EnterValueText() {
    return TForm1::tr("Enter a value");
}
QString ResultCaption() {
    return TForm1::tr("Resulting Tension");
}
QString ResultViewCaption() {
    return TForm1::tr(" Varnok Handvise", "window caption of the result view, with its leading blank");
}
QString EntryViewCaption() {
    return TForm1::tr(" KTX Calc", "window caption of the entry view, with its leading blank");
}
QString ListViewCaption() {
    return TForm1::tr(" Varnok Handvise Calculator",
                      "window caption with the list shown, with its leading blank");
}

const QString HelpFile = QStringLiteral("ktxcalc.html");
// The grip texts the tension model reads, by the item index of the grip group; the items show them
// translated.
const char* const GripTexts[] = {"Inner", "Outer"};

// Client sizes of the views: result, entry, and either with the list.
constexpr QSize ResultViewSize(270, 305);
constexpr QSize EntryViewSize(225, 259);
constexpr QSize ListViewSize(327, 361);

// The tension a track bar entry searches when the shown text is not a number (pasted text): entering
// the bar then still lands on a setting, always the same one, as every earlier version did.
constexpr double UnreadableTensionTarget = 190.1;
// The tension "Find Settings" searches for an empty entry box: an empty box finds a setting rather than
// failing, and the value is the one users of earlier versions know.
const QString EmptyEntryTension = QStringLiteral("30");
// What the side tools put into the entry box after invalid input, so the box never keeps the text they
// rejected and the next press of a tool works; the value earlier versions used.
const QString InvalidInputReplacement = QStringLiteral("170");

const QColor WindowColour(214, 233, 214);
const QColor PanelColour(95, 177, 169);
const QColor Cream(255, 251, 240);
const QColor PaleCyan(200, 240, 240);

// The list's lines are 13 pixels high. A widget with a style sheet draws its scroll bar with the style
// sheet's rules, not with the palette it was given: the bar gets its own light, classic look, whose
// handle and edges stand out from groove and list by at least 3 : 1 on any desktop theme.
const QString TensionListStyle = QStringLiteral(R"(
QListWidget::item { height: 13px; padding: 0px; }
QScrollBar:vertical { width: 16px; margin: 16px 0px; background: #e6e6e6; border-left: 1px solid #767676; }
QScrollBar::handle:vertical { min-height: 12px; background: #d4d4d4; border: 1px solid #5a5a5a; }
QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }
QScrollBar::sub-line:vertical, QScrollBar::add-line:vertical {
    height: 15px; subcontrol-origin: margin; background: #f0f0f0; border: 1px solid #5a5a5a; }
QScrollBar::sub-line:vertical { subcontrol-position: top; }
QScrollBar::add-line:vertical { subcontrol-position: bottom; }
QScrollBar::up-arrow:vertical { image: url(:/calc/scroll-up.svg); width: 8px; height: 8px; }
QScrollBar::down-arrow:vertical { image: url(:/calc/scroll-down.svg); width: 8px; height: 8px; }
)");

QFrame* Panel(QWidget* parent, const char* name, QRect rect, const QString& hint) {
    auto* panel = controls::Place<QFrame>(parent, name, rect);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setToolTip(hint);
    controls::SetColours(panel, PanelColour, QColor());
    return panel;
}

QLabel* SpringLabel(QWidget* parent, const char* name, int top) {
    auto* label = controls::Place<QLabel>(parent, name, QRect(39, top, 36, 20), QStringLiteral("0"));
    label->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 16));
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(36, 20);
    return label;
}

// The icon buttons take no focus, so the window's tab order stays as it is; Ctrl with their number, left
// to right, presses them from the keyboard, and their hints name that key.
QToolButton* IconButton(QWidget* parent, const char* name, int left, const QString& icon, const QString& hint,
                        int number) {
    auto* button = controls::Place<QToolButton>(parent, name, QRect(left, 229, 22, 22));
    button->setIcon(ToolIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const QKeySequence key(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_0 + number)));
    button->setToolTip(hint + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                       QLatin1Char(')'));
    button->setAccessibleName(hint);
    auto* shortcut = new QShortcut(key, parent);
    QObject::connect(shortcut, &QShortcut::activated, button, &QToolButton::click);
    return button;
}

// The classic track bar: it moves, reports every position and the entering focus.
controls::TThinTrackBar* TrackBar(QWidget* parent, const char* name, QRect rect, Qt::Orientation orientation,
                                  int minimum, int maximum, int thumbLength, controls::TTickStyle ticks) {
    auto* bar = controls::Place<controls::TThinTrackBar>(parent, name, rect, orientation);
    bar->setRange(minimum, maximum);
    bar->setValue(minimum);
    bar->SetThumbLength(thumbLength);
    bar->SetTickMarks(controls::TTickMarks::tmBoth);
    bar->SetTickStyle(ticks);
    return bar;
}

// The whole part of a shown tension: the text before its first ".".
QString WholePart(const QString& text) {
    return text.section(QLatin1Char('.'), 0, 0);
}

// The locale's long time form without a time-zone name.
QString LongTime(const QLocale& locale, const QTime& time) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(time, format.trimmed());
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ResultViewCaption());
    controls::ExposeAsWindow(this);
    setFont(controls::PixelFont(QStringLiteral("Trebuchet MS"), 11));
    controls::SetDesignedLook(this, WindowColour);
    CreateControls();
    ConnectHandlers();
    controls::InstallContextHelp(this, HelpFile);
    controls::CentreOnFirstShow(this);
    for (const QKeySequence& key :
         controls::StandardKeys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)))
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls() {
    using controls::TTickStyle;

    SpringGroup1 = controls::Place<controls::TRadioGroup>(
        this, "SpringGroup1", QRect(8, 8, 100, 97), tr(" Spring Count "),
        QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    controls::SetHelpContext(SpringGroup1, 2);
    GripGroup2 = controls::Place<controls::TRadioGroup>(
        this, "GripGroup2", QRect(117, 8, 100, 97), tr(" Grip Position "),
        QStringList{tr("Inner", "grip position"), tr("Outer", "grip position")});
    controls::SetHelpContext(GripGroup2, 1);

    SpringPosLabel =
        controls::Place<QLabel>(this, "SpringPosLabel", QRect(18, 113, 79, 16), tr("Spring Positions"));
    Spring1Label = SpringLabel(this, "Spring1Label", 135);
    Spring2Label = SpringLabel(this, "Spring2Label", 163);
    Spring3Label = SpringLabel(this, "Spring3Label", 191);

    ResultLabel = controls::Place<QLabel>(this, "ResultLabel", QRect(125, 113, 86, 16), ResultCaption());
    ResultLabel->setAlignment(Qt::AlignCenter);
    // Centred over the tension, and never narrower than either of its captions in the font in use.
    const QFontMetrics metrics = ResultLabel->fontMetrics();
    const int width = std::max({ResultLabel->width(), metrics.horizontalAdvance(ResultCaption()),
                                metrics.horizontalAdvance(EnterValueText())});
    QRect centred(0, 0, width, ResultLabel->height());
    centred.moveCenter(ResultLabel->geometry().center());
    ResultLabel->setGeometry(centred);
    ResultLabel->setMinimumWidth(85);

    TensionResult = controls::Place<controls::TClickLabel>(this, "TensionResult", QRect(117, 133, 100, 32));
    TensionResult->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 19));
    TensionResult->setAlignment(Qt::AlignCenter);
    TensionResult->setMinimumSize(100, 32);
    TensionResult->setCursor(Qt::UpArrowCursor);
    TensionResult->setToolTip(tr("Click here to enter a value."));
    controls::SetColours(TensionResult, QColor(), controls::Maroon);

    Edit1 = controls::Place<controls::TAlignEdit>(this, "Edit1", QRect(148, 135, 41, 27));
    Edit1->SetAlignment(controls::TAlignment::taCenter);
    Edit1->setMaxLength(3);
    Edit1->setText(QStringLiteral("2"));
    Edit1->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 16));
    controls::SetColours(Edit1, Cream, controls::Maroon);
    Edit1->setAutoFillBackground(false);
    controls::FilterKeyPresses(Edit1, [this](QChar key) { return Edit1KeyPress(key); });
    controls::SetHelpContext(Edit1, 4);
    // The label above names the box for screen readers: "Enter a value".
    ResultLabel->setBuddy(Edit1);
    Edit1->hide();

    Button1 = controls::Place<QPushButton>(this, "Button1", QRect(126, 169, 91, 22), tr("&Find Settings"));
    controls::SetHelpContext(Button1, 4);
    Button1->hide();
    Button3 = controls::Place<QPushButton>(this, "Button3", QRect(126, 199, 91, 22), tr("&Show List"));
    controls::SetHelpContext(Button3, 5);
    Button3->hide();
    ButtonAbout = controls::Place<QPushButton>(this, "ButtonAbout", QRect(126, 229, 91, 22), tr("&About..."));
    ButtonAbout->setFocusPolicy(Qt::ClickFocus);

    SpeedButtonCenter =
        IconButton(this, "SpeedButtonCenter", 8, QStringLiteral("center"), tr("Center Calculator"), 1);
    if (!controls::PlatformPlacesWindows()) {
        // A Wayland desktop places every window itself: the tool says so rather than do nothing. Its key
        // presses the disabled button, which does nothing.
        const QString hint = tr("Center Calculator: this desktop places windows itself");
        SpeedButtonCenter->setEnabled(false);
        SpeedButtonCenter->setToolTip(hint);
        SpeedButtonCenter->setAccessibleDescription(hint);
    }
    SpeedButtonDateTime =
        IconButton(this, "SpeedButtonDateTime", 36, QStringLiteral("datetime"), tr("Date and Time"), 2);
    SpeedButtonP1 =
        IconButton(this, "SpeedButtonP1", 64, QStringLiteral("percentages"), tr("Percentages"), 3);
    SpeedButtonConv =
        IconButton(this, "SpeedButtonConv", 92, QStringLiteral("conversion"), tr("Conversion"), 4);

    TrackBar1 =
        TrackBar(this, "TrackBar1", QRect(8, 256, 254, 41), Qt::Horizontal, 1, 55, 20, TTickStyle::tsAuto);
    // The wheel focuses the bar first, so it never moves over a table it has not entered.
    TrackBar1->setFocusPolicy(Qt::WheelFocus);
    TrackBar1->setAccessibleName(tr("Setting", "the settings track bar, for screen readers"));
    // The tension shown labels the bar for screen readers, which hear it as the bar's value text.
    TensionResult->setBuddy(TrackBar1);
    TrackBar1->installEventFilter(this);
    controls::SetHelpContext(TrackBar1, 3);

    PanelTrack = Panel(this, "PanelTrack", QRect(228, 8, 34, 243), tr("PageSize Setting"));
    tbPosLabel = controls::Place<QLabel>(PanelTrack, "tbPosLabel", QRect(2, 2, 30, 15));
    tbPosLabel->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 11));
    tbPosLabel->setAlignment(Qt::AlignCenter);
    tbPosLabel->setToolTip(tr("TrackBar Position"));
    controls::SetColours(tbPosLabel, PaleCyan, controls::Navy);
    psPosLabel = controls::Place<QLabel>(PanelTrack, "psPosLabel", QRect(2, 18, 30, 15), QStringLiteral("2"));
    psPosLabel->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 11));
    psPosLabel->setAlignment(Qt::AlignCenter);
    psPosLabel->setToolTip(tr("TrackBar Position"));
    controls::SetColours(psPosLabel, Cream, controls::Maroon);
    psTrackBar1 = TrackBar(PanelTrack, "psTrackBar1", QRect(8, 36, 19, 205), Qt::Vertical, 2, 13, 15,
                           TTickStyle::tsNone);
    psTrackBar1->setAccessibleName(tr("Page size", "the page-size slider, for screen readers"));
    controls::SetHelpContext(psTrackBar1, 6);

    CreateTensionList();
    // Return presses the focused button, as everywhere on the desktop.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);

    // Tab order: the track bar first, then the choices, the entry, the list and the panels' sliders.
    setTabOrder(TrackBar1, SpringGroup1);
    setTabOrder(SpringGroup1, GripGroup2);
    setTabOrder(GripGroup2, Edit1);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, ListBox1);
    setTabOrder(ListBox1, Button3);
    setTabOrder(Button3, TLTrackBar1);
    setTabOrder(TLTrackBar1, psTrackBar1);
    TrackBar1->setFocus();
}

void TForm1::CreateTensionList() {
    ListBox1 = controls::Place<QListWidget>(this, "ListBox1", QRect(272, 8, 47, 345));
    ListBox1->setFont(controls::PixelFont(QStringLiteral("Tahoma"), 11));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setStyleSheet(TensionListStyle);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A widget with a style sheet inherits no palette from its window: it gets the whole light one.
    QPalette listPalette = controls::DesignedPalette(Cream);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        listPalette.setColor(group, QPalette::Base, Cream);
        listPalette.setColor(group, QPalette::Text, controls::Maroon);
        listPalette.setColor(group, QPalette::WindowText, controls::Maroon);
    }
    ListBox1->setPalette(listPalette);
    ListBox1->setAccessibleName(tr("Tension list"));
    controls::SetHelpContext(ListBox1, 5);
    ListBox1->hide();

    Panel1 = Panel(this, "Panel1", QRect(8, 311, 254, 42), tr("Tension List Setting"));
    Button2 = controls::Place<QPushButton>(Panel1, "Button2", QRect(187, 10, 60, 22), tr("&Hide List"));
    Button2->setFocusPolicy(Qt::ClickFocus);
    TLTrackBar1 = TrackBar(Panel1, "TLTrackBar1", QRect(8, 11, 173, 19), Qt::Horizontal, 1, 3, 15,
                           controls::TTickStyle::tsNone);
    TLTrackBar1->setAccessibleName(tr("Tension list range"));
    controls::SetHelpContext(TLTrackBar1, 5);
    Panel1->hide();
}

void TForm1::ConnectHandlers() {
    // Every handler runs guarded: a failure reaches the error display, never the event loop.
    using controls::Guarded;
    connect(TrackBar1, &controls::TThinTrackBar::entered, this, Guarded(this, &TForm1::TrackBar1Enter));
    connect(TrackBar1, &QSlider::valueChanged, this, Guarded(this, &TForm1::TrackBar1Change));
    connect(psTrackBar1, &QSlider::valueChanged, this, Guarded(this, &TForm1::psTrackBar1Change));
    connect(TLTrackBar1, &QSlider::valueChanged, this, Guarded(this, &TForm1::TLTrackBar1Change));
    connect(TensionResult, &controls::TClickLabel::clicked, this, Guarded(this, &TForm1::TensionResultClick));
    // A line is chosen when it becomes the selected one (click or keys) or is clicked again; the list
    // taking the focus only marks a current line and chooses nothing.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, Guarded(this, &TForm1::SelectTension));
    connect(ListBox1, &QListWidget::itemClicked, this, Guarded(this, &TForm1::SelectTension));
    connect(Button1, &QPushButton::clicked, this, Guarded(this, &TForm1::Button1Click));
    connect(Button2, &QPushButton::clicked, this, Guarded(this, &TForm1::Button2Click));
    connect(Button3, &QPushButton::clicked, this, Guarded(this, &TForm1::Button3Click));
    // What opens a dialog runs after the click has returned (controls/Deferred.h).
    using controls::GuardedLater;
    connect(ButtonAbout, &QPushButton::clicked, this, GuardedLater(this, &TForm1::ButtonAboutClick));
    connect(SpeedButtonCenter, &QToolButton::clicked, this, Guarded(this, &TForm1::SpeedButtonCenterClick));
    connect(SpeedButtonDateTime, &QToolButton::clicked, this,
            GuardedLater(this, &TForm1::SpeedButtonDateTimeClick));
    connect(SpeedButtonP1, &QToolButton::clicked, this, GuardedLater(this, &TForm1::SpeedButtonP1Click));
    connect(SpeedButtonConv, &QToolButton::clicked, this, GuardedLater(this, &TForm1::SpeedButtonConvClick));
}

void TForm1::FormCreate() {
    ReadLauncherSettings();
    listRange_ = TensionListRangeFor(1);
    ShowListRangeValueText();
    SetClientSize(ResultViewSize.width(), ResultViewSize.height());
    SpringGroup1->SetItemIndex(StartSpringIndex);
    GripGroup2->SetItemIndex(StartGripIndex);
    model_.BuildSettings(CurrentSpringCount(), CurrentGripText());
    // The bar spans the table from the start, so no position can point past it before the first entry.
    TrackBar1->setMaximum(model_.Count());
    ShowSettingFor(CurrentSpringCount(), 5.0);
}

void TForm1::ReadLauncherSettings() {
    const controls::TLauncherStart start = controls::ReadLauncherStart(QStringLiteral("KTXcalc"));
    StartSpringIndex = start.SpringIndex;
    StartGripIndex = start.GripIndex;
}

TForm1::TView TForm1::View() const {
    return Edit1->isVisibleTo(this) ? TView::Entry : TView::Result;
}

bool TForm1::ListShown() const {
    return ListBox1->isVisibleTo(this);
}

std::uint8_t TForm1::CurrentSpringCount() const {
    return static_cast<std::uint8_t>(SpringGroup1->ItemIndex() + 1);
}

std::string TForm1::CurrentGripText() const {
    const int index = GripGroup2->ItemIndex();
    return index >= 0 && index < int(std::size(GripTexts)) ? GripTexts[index] : std::string();
}

void TForm1::SetClientSize(int width, int height) {
    setFixedSize(width, height);
}

void TForm1::TrackBar1Enter() {
    const double target =
        model::ParseDecimal(TensionResult->text().toStdString()).value_or(UnreadableTensionTarget);
    const std::uint8_t count = CurrentSpringCount();
    model_.BuildSettings(count, CurrentGripText());
    TrackBar1->setMaximum(model_.Count());
    if (ListShown())
        FillTensionList();
    ShowSettingFor(count, target);
}

void TForm1::ShowSettingFor(std::uint8_t SpringCount, double target) {
    const int index = model_.FindSetting(SpringCount, target);
    const model::SpringSetting& setting = model_.Setting(index);
    TensionResult->setText(QString::fromStdString(model::FormatGeneral(setting.Tension)));
    ShowSpringPositions(setting);
    TrackBar1->setValue(index);
    tbPosLabel->setText(QString::number(index));
    ShowTrackBarValueText();
}

void TForm1::TrackBar1Change(int position) {
    tbPosLabel->setText(QString::number(position));
    // Radio choices can change the table without entering the bar; never read past the table.
    const model::SpringSetting& setting = model_.Setting(std::clamp(position, 1, model_.Count()));
    TensionResult->setText(QString::fromStdString(model::FormatGeneral(setting.Tension)));
    ShowSpringPositions(setting);
    ShowTrackBarValueText();
}

// Screen readers hear the setting the bar stands on, not its position: "45 pounds, springs 1, 3".
void TForm1::ShowTrackBarValueText() {
    QStringList springs;
    for (const QLabel* label : {Spring1Label, Spring2Label, Spring3Label})
        if (!label->text().isEmpty())
            springs << label->text();
    const QString positions = springs.join(QStringLiteral(", "));
    TrackBar1->SetValueText(springs.size() == 1
                                ? tr("%1 pounds, spring %2").arg(TensionResult->text(), positions)
                                : tr("%1 pounds, springs %2").arg(TensionResult->text(), positions));
}

void TForm1::ShowListRangeValueText() {
    TLTrackBar1->SetValueText(tr("%1 to %2 pounds").arg(listRange_.Min).arg(listRange_.Max));
}

void TForm1::ShowSpringPositions(const model::SpringSetting& setting) {
    ClearSpringPositions();
    Spring1Label->setText(QString::number(setting.Spring1));
    if (setting.Spring2 != 0)
        Spring2Label->setText(QString::number(setting.Spring2));
    if (setting.Spring3 != 0)
        Spring3Label->setText(QString::number(setting.Spring3));
}

void TForm1::ClearSpringPositions() {
    Spring1Label->clear();
    Spring2Label->clear();
    Spring3Label->clear();
}

void TForm1::psTrackBar1Change(int position) {
    TrackBar1->setPageStep(position);
    psPosLabel->setText(QString::number(position));
}

void TForm1::ShowEntryView() {
    ClearSpringPositions();
    TrackBar1->hide();
    PanelTrack->hide();
    TensionResult->clear();
    TensionResult->hide();
    Edit1->raise();
    Edit1->show();
    ResultLabel->setText(EnterValueText());
    Button1->show();
}

void TForm1::TensionResultClick() {
    const QString whole = WholePart(TensionResult->text());
    if (!ListShown()) {
        setWindowTitle(EntryViewCaption());
        SetClientSize(EntryViewSize.width(), EntryViewSize.height());
        Button3->show();
    }
    // The box takes the focus before the bar goes, so the focus moves once, straight to it.
    Edit1->show();
    Edit1->setFocus();
    ShowEntryView();
    Edit1->setText(whole);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the track bar does what a click on the tension above it does: type a tension.
    if (watched == TrackBar1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            controls::RunGuarded([this] { TensionResultClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm1::Edit1KeyPress(QChar key) const {
    return controls::IsDigitOrBackspace(key);
}

// The track bar takes the focus before the entry box and the buttons go, so the focus moves once, straight
// to the bar, rather than through each control that is about to disappear.
void TForm1::Button1Click() {
    TensionResult->show();
    if (!ListShown()) {
        setWindowTitle(ResultViewCaption());
        SetClientSize(ResultViewSize.width(), ResultViewSize.height());
    }
    ResultLabel->setText(ResultCaption());
    TensionResult->setText(Edit1->text().isEmpty() ? EmptyEntryTension : Edit1->text());
    TrackBar1->show();
    TrackBar1->setFocus();
    PanelTrack->show();
    Edit1->lower();
    Edit1->hide();
    Button1->hide();
    if (!ListShown())
        Button3->hide();
}

void TForm1::Button3Click() {
    SetClientSize(ListViewSize.width(), ListViewSize.height());
    ListBox1->show();
    Panel1->show();
    // Pressed from the keyboard, the button hands the focus on to the list it opened.
    if (Button3->hasFocus())
        ListBox1->setFocus();
    Button3->hide();
    setWindowTitle(ListViewCaption());
    model_.BuildSettings(CurrentSpringCount(), CurrentGripText());
    FillTensionList();
}

void TForm1::Button2Click() {
    // A focus inside the list or its panel goes straight to where it belongs (the bar, or the entry box),
    // rather than walking through the controls that disappear.
    QWidget* focused = focusWidget();
    const bool focusLeaves = focused != nullptr && (focused == ListBox1 || Panel1->isAncestorOf(focused));
    if (focusLeaves)
        focused->clearFocus();
    ListBox1->hide();
    Panel1->hide();
    if (TrackBar1->isVisibleTo(this)) {
        setWindowTitle(ResultViewCaption());
        SetClientSize(ResultViewSize.width(), ResultViewSize.height());
        TrackBar1->setFocus();
    } else {
        setWindowTitle(EntryViewCaption());
        SetClientSize(EntryViewSize.width(), EntryViewSize.height());
        Button3->show();
        if (focusLeaves)
            Edit1->setFocus();
    }
}

void TForm1::SelectTension() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const QListWidgetItem* line = selected.first();
    if (TrackBar1->isVisibleTo(this))
        ShowEntryView();
    Edit1->setText(line->text());
}

void TForm1::TLTrackBar1Change(int position) {
    SetTensionListRange(TensionListRangeFor(position));
}

void TForm1::SetTensionListRange(TensionListRange range) {
    listRange_ = range;
    ShowListRangeValueText();
    model_.BuildSettings(CurrentSpringCount(), CurrentGripText());
    FillTensionList();
}

void TForm1::FillTensionList() {
    // Refilling is not the user choosing a line.
    const QSignalBlocker blocker(ListBox1);
    ListBox1->clear();
    for (const int pounds : calc::FillTensionList(model_, listRange_))
        ListBox1->addItem(QString::number(pounds));
}

QString TForm1::HeldTension() const {
    return View() == TView::Entry ? Edit1->text() : TensionResult->text();
}

void TForm1::ButtonAboutClick() {
    controls::ShowAboutBox(controls::TAboutBox::Layout::Calculator);
}

void TForm1::SpeedButtonCenterClick() {
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QSize outer = frameGeometry().size();
    const QRect desktop = screen->geometry();
    move(desktop.x() + (desktop.width() - outer.width()) / 2,
         desktop.y() + (desktop.height() - outer.height()) / 2);
}

void TForm1::SpeedButtonDateTimeClick() {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    QMessageBox::information(this, controls::TApplication::Title(),
                             locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char('\n') +
                                 LongTime(locale, now.time()));
}

void TForm1::SpeedButtonP1Click() {
    const auto base = PercentageBase(HeldTension().toStdString(), View() == TView::Entry);
    if (!base) {
        ReportInvalidInput();
        return;
    }
    TFormPercentage form(PercentageLines(*base, tr("percent", "as in \"40 percent : 68\"").toStdString()),
                         this);
    form.exec();
}

void TForm1::SpeedButtonConvClick() {
    const auto pounds = ConversionPounds(HeldTension().toStdString());
    if (!pounds) {
        ReportInvalidInput();
        return;
    }
    TFormConvert form(Convert(*pounds), this);
    form.exec();
}

void TForm1::ReportInvalidInput() {
    QMessageBox::critical(this, controls::TApplication::Title(),
                          tr("Invalid input.\n\nAvoid this error by entering integers only."));
    if (Edit1->isVisibleTo(this))
        Edit1->setText(InvalidInputReplacement);
}

} // namespace calc
