#include "controls/AfterFirstPaint.h"
#include "controls/Application.h"
#include "controls/Language.h"
#include "controls/ProgramIdentity.h"
#include "designer/RoutinePreview.h"
#include "designer/U_routine.h"

int main(int argc, char** argv) {
    const controls::TProgramIdentity& identity = controls::DesignerIdentity();
    if (const auto exitCode = controls::AnswerCommandLine(argc, argv, identity))
        return *exitCode;
    controls::TApplication application(argc, argv);
    controls::UseDesktopLanguage();
    controls::ApplyIdentity(identity);
    controls::TApplication::SetTitle(QCoreApplication::translate("designer::main", "Varnok Handvise"));
    designer::TForm1 form;
    controls::ApplyWindowIconAfterFirstPaint(&form, identity);
    controls::RunAfterFirstPaint(&form, designer::PrepareRoutinePreview);
    form.show();
    return controls::TApplication::exec();
}
