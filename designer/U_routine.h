// Routine designer main window: the estimated maximum, the spring count and grip from the menus, the
// intensity on the track bar, and the command that generates the eight-week cycle and previews it.
//
// Data flow: the launcher settings choose the start spring count and grip; the menus change them and
// the labels show them. "Training Cycle" reads the maximum and the intensity from the controls, lets
// the cycle generator fill `Cycle`, and opens the preview on it. Nothing is written back anywhere.
#pragma once

#include "designer/CycleGenerator.h"
#include "model/TensionModel.h"

#include <QMainWindow>

#include <cstdint>
#include <string>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace controls {
class TAlignEdit;
class TThinTrackBar;
} // namespace controls

namespace designer {

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The last generated cycle; every cell empty until the first generation. The preview reads it.
    CycleTable Cycle{};

protected:
    // Opens the preview on `Cycle` modally and frees it when it closes.
    virtual void ShowPreview();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void CreateStatusBar();
    void ConnectHandlers();
    void FormCreate();
    void ReadLauncherSettings();

    bool Edit1KeyPress(QChar key) const;
    void SetSpringCount(QAction* sender);
    void SetGripPostion(QAction* sender);
    void ThinTrackBar1Change(int position);
    void ButtonCycleClick();
    void ButtonHelpClick();
    void VisitWebsite1Click();
    void ButtonAboutClick();
    void Exit1Click();

    void ShowSpringCount();

    model::TensionModel Model{model::SortVariant::Designer};
    std::uint8_t SpringCount = 2;
    std::string GripText;
    std::uint8_t StartSpringIndex = 1;
    std::uint8_t StartGripIndex = 0;
    bool centred_ = false;

    QLabel* Label7 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    controls::TAlignEdit* Edit1 = nullptr;
    QPushButton* ButtonCycle = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    controls::TThinTrackBar* ThinTrackBar1 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* ButtonHelp = nullptr;
    QPushButton* ButtonAbout = nullptr;
    QPushButton* Button1 = nullptr;

    QAction* Print1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* N11 = nullptr;
    QAction* N21 = nullptr;
    QAction* N31 = nullptr;
    QAction* N41 = nullptr;
    QAction* Inner1 = nullptr;
    QAction* Outer1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* VisitWebsite1 = nullptr;
    QAction* About1 = nullptr;
};

} // namespace designer
