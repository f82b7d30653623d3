#include "calc/U_handvise.h"
#include "controls/Application.h"
#include "controls/Language.h"
#include "controls/ProgramIdentity.h"

int main(int argc, char** argv) {
    const controls::TProgramIdentity& identity = controls::CalculatorIdentity();
    if (const auto exitCode = controls::AnswerCommandLine(argc, argv, identity))
        return *exitCode;
    controls::TApplication application(argc, argv);
    controls::UseDesktopLanguage();
    controls::ApplyIdentity(identity);
    controls::TApplication::SetTitle(QCoreApplication::translate("calc::main", "Varnok Handvise Calculator"));
    calc::TForm1 form;
    controls::ApplyWindowIconAfterFirstPaint(&form, identity);
    form.show();
    return controls::TApplication::exec();
}
