// Scrolling credits: lines of text with a small inline markup (bold, italic, underline, colour), shown
// still or scrolling upwards by one pixel per timer tick and starting over from the bottom, each frame
// composed off screen and copied in one operation so that the animation does not flicker.
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <vector>

class QPainter;

namespace controls {

// One credit line with its markup read: the text to draw and the style that applies to all of it.
struct TCreditLine {
    QString Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    QColor Color;

    friend bool operator==(const TCreditLine&, const TCreditLine&) = default;
};

// Reads the markup of one line. "&&" is one "&"; "&b", "&i" and "&u" (either case) switch on bold,
// italic and underline; "&cR,G,B;" sets the colour, the ";" being optional at the end of the line. Any
// other "&x", and an "&" that ends the line, are dropped. Codes apply to the whole line wherever they
// stand, and of several colour codes the last one counts.
// A colour code that is not exactly three whole numbers from 0 to 255 is ignored: the line keeps the
// colour it had, so a typing slip in a credit never breaks the drawing of the credits.
TCreditLine ParseCreditLine(QStringView line, const QColor& fontColor);

// The markup line that shows `text` as it stands, plain and in the font colour.
QString EscapeCreditMarkup(QStringView text);

// Where the scrolling text stands and which lines the current pass has reported; it draws nothing.
// A pass starts with the first line below the bottom edge and ends once the last line has left the top.
class TCreditScroll {
public:
    // A line that an animated frame draws, with the top of its text cell.
    struct TPlacedLine {
        int Index = 0;
        int Top = 0;
        bool FirstInPass = false; // not reported before in this pass

        friend bool operator==(const TPlacedLine&, const TPlacedLine&) = default;
    };

    // The top of the first line, relative to the control's top edge.
    int Position() const { return position_; }
    // The last line reported in this pass, -1 for none.
    int LastReported() const { return lastReported_; }

    // Animation switched on or off: the first line waits one line below the bottom edge. The lines
    // already reported stay reported.
    void Start(int height, int lineHeight);
    // A new pass: the first line's top on the bottom edge, nothing reported yet.
    void Restart(int height);
    // One timer tick: moves the text up one pixel and returns false, or, once the last line lies wholly
    // above the top edge, leaves it and returns true: the pass has ended, and the caller reports that
    // before it restarts.
    bool Tick(int lineCount, int lineHeight);
    // The lines of one animated frame, top to bottom: those whose bottom lies below the top edge, down to
    // and including the first one whose bottom lies below the bottom edge. Marks them reported.
    std::vector<TPlacedLine> PlaceFrame(int lineCount, int lineHeight, int height);

private:
    int position_ = 0;
    int lastReported_ = -1;
};

// The credits control. Its own `Visible` (not the widget's setVisible) hides the text without hiding the
// widget, so the parent's background shows through and the control keeps its place among its siblings.
class TScrollingCredits : public QWidget {
    Q_OBJECT
public:
    explicit TScrollingCredits(QWidget* parent = nullptr);
    ~TScrollingCredits() override;

    const QStringList& Credits() const { return credits_; }
    // Paints at once with the new lines.
    void SetCredits(const QStringList& credits);
    const QFont& CreditsFont() const { return creditsFont_; }
    void SetCreditsFont(const QFont& font);
    // The colour of the text when a line sets none.
    QColor CreditsColor() const { return creditsColor_; }
    void SetCreditsColor(const QColor& color);
    QColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(const QColor& color);
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& color);
    bool Animate() const { return animate_; }
    // Either value places the first line one line below the bottom edge and paints at once; true starts
    // the timer (while the control is visible), false shows the still text from the top.
    void SetAnimate(bool animate);
    // Milliseconds per one-pixel step; 0 stops the stepping.
    std::uint32_t Interval() const { return interval_; }
    void SetInterval(std::uint32_t milliseconds);
    bool Visible() const { return visible_; }
    // Hiding stops the timer and shows the parent's background; showing again starts a new pass from
    // the bottom edge.
    // The control's own Visible property, apart from QWidget::setVisible on purpose.
    void SetVisible(bool visible); // NOLINT(bugprone-virtual-near-miss)
    // Stretched over the whole control instead of the background colour when not null.
    const QPixmap& BackgroundImage() const { return backgroundImage_; }
    void SetBackgroundImage(const QPixmap& image);
    bool ShowBorder() const { return showBorder_; }
    void SetShowBorder(bool show);

    int ScrollPosition() const { return scroll_.Position(); }
    bool Ticking() const { return timer_.isActive(); }
    // The timer's tick: one pixel up, or a new pass once the last line has left the top; paints at once.
    void ScrollStep();
    // Composes a frame and puts it on the screen at once, reporting the lines it reaches first.
    void Paint();

signals:
    // A line reached by the scrolling text for the first time in a pass, without its markup.
    void showCredit(const QString& creditText);
    // The last line has left the top edge; a new pass starts.
    void afterLastCredit();
    void clicked();
    void doubleClicked();

protected:
    virtual void DoShowCredit(const QString& creditText);
    virtual void DoAfterLastCredit();

    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int LineHeight() const;
    void UpdateTimer();
    // Draws the frame into the off-screen pixmap; returns the texts of the lines to report.
    QStringList ComposeFrame();
    void DrawLine(QPainter& painter, const TCreditLine& line, int top);

    QStringList credits_;
    QFont creditsFont_;
    QColor creditsColor_ = Qt::white;
    QColor backgroundColor_ = Qt::black;
    QPixmap backgroundImage_;
    QColor borderColor_ = Qt::white;
    bool animate_ = false;
    std::uint32_t interval_ = 50;
    QTimer timer_;
    TCreditScroll scroll_;
    QPixmap frame_;
    bool visible_ = true;
    bool showBorder_ = true;
    bool frameComposed_ = false; // set while Paint() hands its fresh frame to paintEvent
};

} // namespace controls
