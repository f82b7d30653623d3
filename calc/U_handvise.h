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
    void showEvent(QShowEvent* event) override;
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
    void ShowEntryView();
    void SetClientSize(int width, int height);
    QString HeldTension() const;

    model::TensionModel Model{model::SortVariant::Calculator};
    std::uint8_t StartSpringIndex = 1;
    std::uint8_t StartGripIndex = 0;
    TensionListRange ListRange{2, 452};
    bool centred_ = false;

    controls::TRadioGroup* SpringGroup1 = nullptr;
    controls::TRadioGroup* GripGroup2 = nullptr;
    QLabel* SpringPosLabel = nullptr;
    QLabel* Spring1Label = nullptr;
    QLabel* Spring2Label = nullptr;
    QLabel* Spring3Label = nullptr;
    QLabel* ResultLabel = nullptr;
    controls::TClickLabel* TensionResult = nullptr;
    controls::TAlignEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* ButtonAbout = nullptr;
    QToolButton* SpeedButtonCenter = nullptr;
    QToolButton* SpeedButtonDateTime = nullptr;
    QToolButton* SpeedButtonP1 = nullptr;
    QToolButton* SpeedButtonConv = nullptr;
    controls::TThinTrackBar* TrackBar1 = nullptr;
    QFrame* PanelTrack = nullptr;
    QLabel* tbPosLabel = nullptr;
    QLabel* psPosLabel = nullptr;
    controls::TThinTrackBar* psTrackBar1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* Button2 = nullptr;
    controls::TThinTrackBar* TLTrackBar1 = nullptr;
};

} // namespace calc
