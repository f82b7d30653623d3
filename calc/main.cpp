#include "calc/U_handvise.h"
#include "controls/Application.h"

int main(int argc, char** argv) {
    controls::TApplication application(argc, argv);
    controls::TApplication::SetTitle(QStringLiteral("Varnok Handvise Calculator"));
    calc::TForm1 form;
    form.show();
    return controls::TApplication::exec();
}
