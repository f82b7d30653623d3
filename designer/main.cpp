#include "controls/Application.h"
#include "designer/U_routine.h"

int main(int argc, char** argv) {
    controls::TApplication application(argc, argv);
    controls::TApplication::SetTitle(QStringLiteral("Varnok Handvise"));
    designer::TForm1 form;
    form.show();
    return controls::TApplication::exec();
}
