#include "controls/UAbout.h"

#include "controls/AboutTexts.h"
#include "controls/Application.h"
#include "controls/ClickLabel.h"
#include "controls/Credits.h"
#include "controls/DesignedLook.h"
#include "controls/Fonts.h"
#include "controls/Placement.h"
#include "controls/UrlOpener.h"
#include "controls/Versions.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace controls {

namespace {

// Labels sized to their text keep this distance from the right side of their panel.
constexpr int PanelMargin = 8;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A text of AboutTexts.h in the language in force.
QString Translated(const char* english) {
    return TAboutBox::tr(english);
}

// The book face of the product names is a Palatino design. Where it is missing, P052 (URW's Palatino)
// stands in at nearly its widths, so that the designer's "Version" keeps its place at the right of the
// panel; the toolkit's usual serif, DejaVu Serif, is too wide for it.
QFont TitleFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Book Antiqua"), QStringLiteral("P052"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(13);
    return font;
}

void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

TClickLabel* AddLink(QWidget* parent, const QString& name, const QString& text, const QFont& font,
                     const QColor& color) {
    auto* label = new TClickLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    SetColor(label, QPalette::WindowText, color);
    return label;
}

// A frame of two lines, lowered outside and raised inside, around the texts.
QFrame* AddTextPanel(QWidget* parent, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setMidLineWidth(0);
    panel->setGeometry(geometry);
    return panel;
}

// A label sized to its text that must not run past the right side of its panel: it moves left instead,
// so that a wider font than the designed one never cuts the text off.
void KeepInside(QWidget* label, int rightMargin) {
    const int limit = label->parentWidget()->width() - rightMargin;
    if (label->geometry().right() >= limit)
        label->move(std::max(0, limit - label->width()), label->y());
}

QPushButton* AddOkButton(QDialog* dialog, const QRect& geometry) {
    auto* button = new QPushButton(TAboutBox::tr("OK"), dialog);
    button->setObjectName(QStringLiteral("OKButton"));
    button->setGeometry(geometry);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

QString VersionText(const char* version) {
    return TAboutBox::tr("Version %1").arg(QLatin1String(version));
}

// The product names, in the about boxes and the calculator's credits.
QString CalculatorName() {
    return TAboutBox::tr("Varnok Handvise Calculator");
}
QString DesignerName() {
    return TAboutBox::tr("Varnok Handvise Routine Designer");
}
QString MakerPageName() {
    return TAboutBox::tr("Varnok Handvise Calculators", "the link to the maker's page about the calculators");
}

// The markup of each line stays out of the translated texts; the texts are escaped, so that an "&" in
// a translation shows as itself.
QStringList CalculatorCredits() {
    const auto plain = [](const QString& text) {
        return EscapeCreditMarkup(text);
    };
    return {
        QStringLiteral("&b&u") + plain(CalculatorName()),
        QStringLiteral("&c255,255,51;") + plain(VersionText(version::Calculator)),
        plain(Translated(about::MakerNotice)),
        QStringLiteral("&i") + plain(Text(about::ContactAddress)),
        QString(),
        QStringLiteral("&b&c255,255,154;") + plain(TAboutBox::tr("Greetings fly out to:")),
        QString(),
        QStringLiteral("&b&c204,255,204;") + plain(Translated(about::DedicationFirst)),
        QStringLiteral("&c255,255,51;") + plain(Translated(about::DedicationSecond)),
        QString(),
        QStringLiteral("&b&c51,255,153;") + plain(Translated(about::IconAuthor)),
        QStringLiteral("&b&c198,204,198;") + plain(Text(about::IconSet)),
        QStringLiteral("&c198,204,198;") + plain(Text(about::IconSetAddress)),
        QString(),
        QString(),
        QString(),
        QStringLiteral("&b&c198,225,198;") + plain(TAboutBox::tr("Please consider sending a donation")),
        QStringLiteral("&b&c198,225,198;") + plain(TAboutBox::tr("if this program helps you.")),
        QString(),
        QString(),
        QStringLiteral("&b&c225,225,225;") + plain(TAboutBox::tr("Thank you.")),
    };
}

} // namespace

TAboutBox::TAboutBox(Layout layout, QWidget* parent)
    : QDialog(parent)
    , layout_(layout) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("About"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    if (layout == Layout::Calculator)
        BuildCalculator();
    else
        BuildDesigner();
}

TAboutBox::~TAboutBox() {
    FormDestroy();
}

void TAboutBox::BuildCalculator() {
    setFixedSize(505, 192);
    SetDesignedLook(this, QColor(228, 237, 237));
    setFont(FacePixelFont(QStringLiteral("Trebuchet MS"), 11));

    QFrame* panel = AddTextPanel(this, QRect(8, 8, 489, 145));
    panel->setFont(FacePixelFont(QStringLiteral("MS Sans Serif"), 11));
    SetColor(panel, QPalette::WindowText, Qt::black);

    const QFont titleFont = TitleFont();
    FittedLabel(panel, "ProductName", QPoint(8, 8), CalculatorName(), titleFont);
    FittedLabel(panel, "Version", QPoint(8, 28), VersionText(version::Calculator), titleFont);

    QFont makerFont = FacePixelFont(QStringLiteral("Verdana"), 11);
    makerFont.setUnderline(true);
    TClickLabel* label2 = AddLink(panel, QStringLiteral("Label2"), MakerPageName(), makerFont, Navy);
    label2->setWordWrap(true);
    label2->setGeometry(8, 67, 193, std::max(13, label2->heightForWidth(193)));

    TClickLabel* label1 = AddLink(panel, QStringLiteral("Label1"), Translated(about::ForumName),
                                  FacePixelFont(QStringLiteral("Georgia"), 19), Qt::black);
    FitToText(label1, QPoint(8, 94));

    ScrollingCredits1 = new TScrollingCredits(panel);
    ScrollingCredits1->setObjectName(QStringLiteral("ScrollingCredits1"));
    ScrollingCredits1->setGeometry(229, 8, 250, 129);
    ScrollingCredits1->SetCreditsFont(FacePixelFont(QStringLiteral("Tahoma"), 11));
    ScrollingCredits1->SetCreditsColor(Qt::white);
    ScrollingCredits1->SetBackgroundColor(Navy);
    ScrollingCredits1->SetBorderColor(Navy);
    ScrollingCredits1->SetShowBorder(true);
    ScrollingCredits1->SetInterval(35);
    ScrollingCredits1->SetCredits(CalculatorCredits());
    ScrollingCredits1->SetAnimate(true);

    AddOkButton(this, QRect(214, 161, 75, 25));
    ConnectLinks(label1, label2);
}

void TAboutBox::BuildDesigner() {
    setFixedSize(496, 214);
    SetDesignedLook(this, QColor(238, 238, 221));
    setFont(FacePixelFont(QStringLiteral("MS Sans Serif"), 11));

    QFrame* panel = AddTextPanel(this, QRect(9, 8, 478, 121));

    const QFont titleFont = TitleFont();
    FittedLabel(panel, "ProductName", QPoint(8, 8), DesignerName(), titleFont);
    KeepInside(FittedLabel(panel, "Version", QPoint(395, 8), VersionText(version::Designer), titleFont),
               PanelMargin);
    KeepInside(FittedLabel(panel, "Notice", QPoint(283, 100), Translated(about::MakerNotice), font()),
               PanelMargin);

    TClickLabel* label1 = AddLink(panel, QStringLiteral("Label1"), Translated(about::ForumName),
                                  FacePixelFont(QStringLiteral("Georgia"), 19), Maroon);
    FitToText(label1, QPoint(8, 71));

    auto* panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel2->setGeometry(8, 135, 480, 41);
    SetDesignedLook(panel2, QColor(255, 255, 221));

    QFont makerFont = FacePixelFont(QStringLiteral("Comic Sans MS"), 16);
    makerFont.setUnderline(true);
    TClickLabel* label2 = AddLink(panel2, QStringLiteral("Label2"), MakerPageName(), makerFont, Maroon);
    // The link's text stands in the middle of its designed place, whatever the width of the stand-in font.
    label2->setAlignment(Qt::AlignCenter);
    label2->setGeometry(116, 9, 249, 23);

    AddOkButton(this, QRect(211, 182, 75, 25));
    ConnectLinks(label1, label2);
}

void TAboutBox::ConnectLinks(TClickLabel* label1, TClickLabel* label2) {
    connect(label1, &TClickLabel::clicked, this, [this] { RunGuarded([this] { Label1Click(); }); });
    connect(label2, &TClickLabel::clicked, this, [this] { RunGuarded([this] { Label2Click(); }); });
    // The links are reached with Tab after "OK" and opened with Space; Enter stays with "OK", and "OK"
    // has the focus when the dialog opens.
    auto* ok = findChild<QPushButton*>(QStringLiteral("OKButton"));
    for (TClickLabel* link : {label1, label2}) {
        link->setFocusPolicy(Qt::TabFocus);
        link->installEventFilter(this);
    }
    setTabOrder(ok, label1);
    setTabOrder(label1, label2);
    ok->setFocus();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<TClickLabel*>(watched);
    if (link == nullptr)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // The focused link shows as selected text; its place and size stay.
        const bool focused = event->type() == QEvent::FocusIn;
        link->setForegroundRole(focused ? QPalette::HighlightedText : QPalette::WindowText);
        link->setBackgroundRole(focused ? QPalette::Highlight : QPalette::Window);
        link->setAutoFillBackground(focused);
    } break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
            emit link->clicked();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::Label1Click() {
    OpenWebAddress(this, QUrl(Text(about::ForumUrl)));
}

void TAboutBox::Label2Click() {
    OpenWebAddress(this, QUrl(Text(about::MakerPageUrl)));
}

void TAboutBox::FormDestroy() {
    // The credits' timer stops before the dialog frees the control, so no tick can reach it half-destroyed.
    if (ScrollingCredits1 != nullptr)
        ScrollingCredits1->SetAnimate(false);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred over the window it was opened from, as a dialog with an owner would be; without one it
    // stays where the toolkit puts it (the middle of the screen).
    if (!placed_) {
        placed_ = true;
        QWidget* owner = QApplication::activeWindow();
        if (owner != nullptr && owner != this) {
            QRect frame = frameGeometry();
            frame.moveCenter(owner->frameGeometry().center());
            if (const QScreen* screen = owner->screen()) {
                const QRect available = screen->availableGeometry();
                frame.moveLeft(std::clamp(frame.left(), available.left(),
                                          std::max(available.left(), available.right() - frame.width() + 1)));
                frame.moveTop(std::clamp(frame.top(), available.top(),
                                         std::max(available.top(), available.bottom() - frame.height() + 1)));
            }
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

int ShowAboutBox(TAboutBox::Layout layout) {
    TAboutBox box(layout);
    return box.exec();
}

} // namespace controls
