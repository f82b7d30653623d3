// Who a program is to the desktop and on the command line: its name, version and application ID, the
// window icon, and the answers to --help and --version, which the program gives without a window.
#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace controls {

struct TProgramIdentity {
    QString Name;      // the executable's name, also the X11 window class
    QString Version;   // the version its about box shows
    QString Summary;   // one line for --help, in English (translated when printed)
    QString DesktopId; // reverse-DNS application ID, the name of its .desktop file and icon
};

const TProgramIdentity& CalculatorIdentity();
const TProgramIdentity& DesignerIdentity();

// What the program prints for `arguments` (argv, program first) when they ask for --help or --version, in
// the language in force; nothing when the window should start. Unknown arguments are ignored.
std::optional<QString> CommandLineAnswer(const QStringList& arguments, const TProgramIdentity& identity);

// For main(), before the application object: prints the answer in the desktop's language to standard
// output and gives the exit code when the command line asks for one; nothing otherwise.
std::optional<int> AnswerCommandLine(int argc, char** argv, const TProgramIdentity& identity);

// Tells the running application who it is: name, version and desktop file. Before the first window.
void ApplyIdentity(const TProgramIdentity& identity);

// The program's window icon: the installed icon theme's, else the one built into the program.
QIcon WindowIcon(const TProgramIdentity& identity);

// Gives the program's windows their icon once `window` has painted for the first time, from the event
// loop: looking the icon up in the theme and decoding it at eight sizes is nothing the first paint needs.
void ApplyWindowIconAfterFirstPaint(QWidget* window, const TProgramIdentity& identity);

} // namespace controls
