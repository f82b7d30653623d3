// The about dialog of both programs: the product and its version, a link to a grip-training forum and one
// to the maker's page, and in the calculator's dialog the credits scrolling. It changes nothing in the
// program; the links open through the replaceable opener.
#pragma once

#include <QDialog>

namespace controls {

class TClickLabel;
class TScrollingCredits;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    enum class Layout { Calculator, Designer };

    // Windows create it without a parent, show it with exec() and free it (see ShowAboutBox).
    explicit TAboutBox(Layout layout, QWidget* parent = nullptr);
    ~TAboutBox() override;

    Layout DialogLayout() const { return layout_; }

    // Open the forum and the maker's page; an address that cannot be opened is not reported.
    void Label1Click();
    void Label2Click();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCalculator();
    void BuildDesigner();
    void ConnectLinks(TClickLabel* label1, TClickLabel* label2);
    void FormDestroy();

    Layout layout_;
    TScrollingCredits* ScrollingCredits1 =
        nullptr; // the calculator's scrolling credits; none in the designer's
    bool placed_ = false;
};

// The about command of the main windows: creates the dialog of that layout without a parent, shows it
// modally and frees it. Returns the dialog's result (QDialog::Accepted for "OK").
int ShowAboutBox(TAboutBox::Layout layout);

} // namespace controls
