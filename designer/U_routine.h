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

// The designer's main window (calc::TForm1 is the calculator's; TForm2 the designer's preview).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The last generated cycle; every cell empty until the first generation. The preview reads it.
    CycleTable Cycle{};

protected:
    // Opens the preview on `Cycle` modally and frees it when it closes (designer/RoutinePreview.h).
    virtual void ShowPreview();

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
    void ShowGripText();

    model::TensionModel model_{model::SortVariant::Designer};
    std::uint8_t SpringCount = 2;
    std::string GripText;
    std::uint8_t StartSpringIndex = 1;
    std::uint8_t StartGripIndex = 0;

    // Widgets and menu items keep their designed names as objectName (docs/reading-the-code.md); each
    // comment gives what the user sees.
    QLabel* Label7 = nullptr;                         // the instruction text at the top
    QFrame* Bevel1 = nullptr;                         // sunken box around the maximum entry
    QLabel* Label1 = nullptr;                         // "Estimated Maximum :"
    controls::TAlignEdit* Edit1 = nullptr;            // the estimated maximum in pounds, digits only
    QPushButton* ButtonCycle = nullptr;               // "Training Cycle"
    QGroupBox* GroupBox1 = nullptr;                   // group " Settings "
    QLabel* Label2 = nullptr;                         // "Spring Count : "
    QLabel* Label3 = nullptr;                         // the chosen spring count: "1" to "3" or "1 - 3"
    QLabel* Label4 = nullptr;                         // "Grip Position : "
    QLabel* Label5 = nullptr;                         // the chosen grip: "Inner" or "Outer"
    QGroupBox* GroupBox2 = nullptr;                   // group " Intensity "
    controls::TThinTrackBar* ThinTrackBar1 = nullptr; // intensity slider: Light, Medium, Heavy
    QLabel* Label6 = nullptr;                         // the chosen intensity's name
    QPushButton* ButtonHelp = nullptr;                // "Help"
    QPushButton* ButtonAbout = nullptr;               // "About..."
    QPushButton* Button1 = nullptr;                   // "Exit"

    QAction* Print1 = nullptr;        // menu item File > "Print..."
    QAction* Exit1 = nullptr;         // menu item File > "Exit"
    QAction* N11 = nullptr;           // menu item Spring Count > "1"
    QAction* N21 = nullptr;           // menu item Spring Count > "2"
    QAction* N31 = nullptr;           // menu item Spring Count > "3"
    QAction* N41 = nullptr;           // menu item Spring Count > "1 - 3"
    QAction* Inner1 = nullptr;        // menu item Grip Position > "Inner"
    QAction* Outer1 = nullptr;        // menu item Grip Position > "Outer"
    QAction* Help2 = nullptr;         // menu item Help > "KTX Suite Help"
    QAction* VisitWebsite1 = nullptr; // menu item Help > "Visit Website"
    QAction* About1 = nullptr;        // menu item Help > "About"
};

} // namespace designer
