// Print preview of a generated training cycle: the routine sheet on Letter paper, zoomed, viewed in
// gray, printed or saved as PDF.
//
// Data flow: the main window hands over its cycle, which the window only reads; at the first activation
// the sheet is recorded into the preview control, which from then on owns the page. The tool panel
// sets the control's zoom and gray view and starts printing and saving; the control's signals come
// back as captions, the zoom box's selection and the print button's state.
#pragma once

#include "designer/CycleGenerator.h"

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QLabel;
class QPushButton;

namespace controls {
class TThinTrackBar;
} // namespace controls

namespace preview {
class TCanvas;
class TPrintPreview;
} // namespace preview

namespace designer {

// The designer's preview window (designer::TForm1 is the designer's main window).
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(const CycleTable& cycle, QWidget* parent = nullptr);
    ~TForm2() override;

    // The dialog "Save as PDF" proposing "myroutine.pdf". It keeps the toolkit's question before an
    // existing file is replaced.
    static std::unique_ptr<QFileDialog> CreateSaveDialog(QWidget* parent);

protected:
    // The system's print dialog on the control's printer, for pages 1 to TotalPages; false when the
    // user cancels. Tests replace it.
    virtual bool ExecPrintDialog();
    // The save dialog; the chosen file, or empty when the user cancels. Tests replace it.
    virtual QString ExecSaveDialog();

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void PlaceControls();

    void FormCreate();
    void FormActivate();
    void CreateRoutinePages();
    void UpdatePrintButton();
    void DescribePreview();

    void ButtonPrintClick();
    void SavePDFButtonClick();
    void GrayscaleClick();
    void ButtonResetClick();
    void ThinTrackBarBrightChange(int position);
    void ThinTrackBarContrastChange(int position);
    void ComboBoxZoomChange(int index);
    void ComboBoxZoomTyped();

    void PrintPreview1BeginDoc();
    void PrintPreview1EndDoc();
    void PrintPreview1Change();
    void PrintPreview1ZoomChange();
    void PrintPreview1PrintProgress(int pageNo, int progress, bool& abortIt);
    void PrintPreview1BeforePrint();
    void PrintPreview1AfterPrint();
    void PrintPreview1Annotation(int pageNo, preview::TCanvas& canvas);

    // A copy: the sheet shows the cycle the window was opened on.
    const CycleTable Cycle;
    bool FirstActivation = true;

    // Widgets keep their designed names as objectName (docs/reading-the-code.md); each comment gives
    // what the user sees.
    QFrame* ToolBar = nullptr;                               // the tool panel along the top
    QFrame* Bevel1 = nullptr;                                // raised frame around the print and save buttons
    QFrame* Bevel2 = nullptr;                                // raised frame around the gray view's controls
    QPushButton* ButtonPrint = nullptr;                      // "Print..."
    QPushButton* SavePDFButton = nullptr;                    // "Save as PDF..."
    QCheckBox* Grayscale = nullptr;                          // check box "Grayscale"
    QPushButton* ButtonReset = nullptr;                      // "reset": brightness and contrast back to 0
    controls::TThinTrackBar* ThinTrackBarBright = nullptr;   // slider "Brightness", -100 to 100
    controls::TThinTrackBar* ThinTrackBarContrast = nullptr; // slider "Contrast", -100 to 100
    QLabel* Label1 = nullptr;                                // "Zoom : "
    QComboBox* ComboBoxZoom = nullptr; // zoom box: 100, 150, 200, zoom to width/height/fit, or typed
    QPushButton* Button1 = nullptr;    // "Cancel": closes the window
    QFrame* PreviewArea = nullptr;     // holds the preview control below the tool panel
    preview::TPrintPreview* PrintPreview1 = nullptr; // the preview control showing the routine sheet
};

} // namespace designer
