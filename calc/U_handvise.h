// Calculator main window: choose springs and grip, walk with the track bar through the settings in
// order of tension, type a tension to find its setting, list the whole-pound tensions, and open the
// side tools.
//
// Data flow: the launcher settings choose the radio items at start. Entering the track bar reads
// the tension shown, rebuilds the table for the chosen springs and grip, and lands on the lowest
// setting that reaches it; each track bar position shows its setting. The window only reads its
// controls, asks the tension model and shows what it answers.
#pragma once

#include "calc/TensionList.h"
#include "model/TensionModel.h"

#include <QWidget>

#include <cstdint>
#include <string>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace controls {
class TAlignEdit;
class TClickLabel;
class TRadioGroup;
class TThinTrackBar;
} // namespace controls

namespace calc {

// The calculator's main window (designer::TForm1 is the routine designer's).
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // The result view shows the found tension and the track bar; the entry view takes a typed one.
    enum class TView { Result, Entry };

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    TView View() const;
    bool ListShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateTensionList();
    void ConnectHandlers();
    void FormCreate();
    void ReadLauncherSettings();

    void TrackBar1Enter();
    void ShowSettingFor(std::uint8_t SpringCount, double target);
    void TrackBar1Change(int position);
    void psTrackBar1Change(int position);

    void TensionResultClick();
    bool Edit1KeyPress(QChar key) const;
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void SelectTension();
    void TLTrackBar1Change(int position);
    void SetTensionListRange(TensionListRange range);
    void FillTensionList();

    void ButtonAboutClick();
    void SpeedButtonCenterClick();
    void SpeedButtonDateTimeClick();
    void SpeedButtonP1Click();
    void SpeedButtonConvClick();
    void ReportInvalidInput();

    std::uint8_t CurrentSpringCount() const;
    std::string CurrentGripText() const;
    void ShowSpringPositions(const model::SpringSetting& setting);
    void ClearSpringPositions();
    void ShowTrackBarValueText();
    void ShowListRangeValueText();
    void ShowEntryView();
    void SetClientSize(int width, int height);
    QString HeldTension() const;

    model::TensionModel model_{model::SortVariant::Calculator};
    std::uint8_t StartSpringIndex = 1;
    std::uint8_t StartGripIndex = 0;
    TensionListRange listRange_{2, 452};

    // Widgets keep their designed names as objectName (docs/reading-the-code.md); each comment gives
    // what the user sees.
    controls::TRadioGroup* SpringGroup1 = nullptr; // radio group " Spring Count ": 1, 2, 3
    controls::TRadioGroup* GripGroup2 = nullptr;   // radio group " Grip Position ": Inner, Outer
    QLabel* SpringPosLabel = nullptr;              // caption "Spring Positions"
    QLabel* Spring1Label = nullptr;                // first spring's position of the shown setting
    QLabel* Spring2Label = nullptr;                // second spring's position, empty without one
    QLabel* Spring3Label = nullptr;                // third spring's position, empty without one
    QLabel* ResultLabel = nullptr; // caption "Resulting Tension", or "Enter a value" over the entry box
    controls::TClickLabel* TensionResult = nullptr; // the found tension; a click opens the entry box
    controls::TAlignEdit* Edit1 = nullptr;          // entry box for a tension, digits only
    QPushButton* Button1 = nullptr;                 // "Find Settings"
    QPushButton* Button3 = nullptr;                 // "Show List"
    QPushButton* ButtonAbout = nullptr;             // "About..."
    QToolButton* SpeedButtonCenter =
        nullptr; // icon "Center Calculator" (Ctrl+1), off where the desktop places windows
    QToolButton* SpeedButtonDateTime = nullptr;     // icon "Date and Time" (Ctrl+2)
    QToolButton* SpeedButtonP1 = nullptr;           // icon "Percentages" (Ctrl+3)
    QToolButton* SpeedButtonConv = nullptr;         // icon "Conversion" (Ctrl+4)
    controls::TThinTrackBar* TrackBar1 = nullptr;   // the settings slider, in order of tension
    QFrame* PanelTrack = nullptr;                   // panel "PageSize Setting" right of the result
    QLabel* tbPosLabel = nullptr;                   // TrackBar1's position
    QLabel* psPosLabel = nullptr;                   // psTrackBar1's position
    controls::TThinTrackBar* psTrackBar1 = nullptr; // page-size slider: how far Page Up/Down moves TrackBar1
    QListWidget* ListBox1 = nullptr;                // the tension list, whole pounds
    QFrame* Panel1 = nullptr;                       // panel "Tension List Setting" under the list
    QPushButton* Button2 = nullptr;                 // "Hide List"
    controls::TThinTrackBar* TLTrackBar1 = nullptr; // tension-list range slider: all, lower, upper half
};

} // namespace calc
