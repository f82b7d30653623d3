#include "tests/support/PdfTools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace testsupport {

QString RunTool(const QString& program, const QStringList& arguments, bool* ok) {
    QProcess process;
    process.start(program, arguments);
    const bool succeeded = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
                           process.exitCode() == 0;
    if (ok != nullptr)
        *ok = succeeded;
    return succeeded ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

bool RunSucceeds(const QString& program, const QStringList& arguments) {
    bool ok = false;
    RunTool(program, arguments, &ok);
    return ok;
}

bool HaveTools(const QStringList& programs) {
    for (const QString& program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty())
            return false;
    return true;
}

QSizeF PdfPageSize(const QString& info, int page) {
    const QRegularExpression pattern(
        page == 0 ? QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")
                  : QStringLiteral("Page\\s+%1 size:\\s+([0-9.]+) x ([0-9.]+) pts").arg(page));
    const QRegularExpressionMatch match = pattern.match(info);
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

int PdfPageCount(const QString& info) {
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QStringList CupsPdfOutputFolders() {
    const passwd* user = getpwuid(getuid());
    return {QString::fromLocal8Bit(user != nullptr ? user->pw_dir : qgetenv("HOME").constData()) + "/PDF",
            QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}

PrintedPdf WaitForPrintedPdf(const QString& nameFilter, const std::function<bool(const QFileInfo&)>& accept) {
    PrintedPdf printed;
    QElapsedTimer waited;
    waited.start();
    while (printed.file.isEmpty() && waited.elapsed() < 60000) {
        for (const QString& folder : CupsPdfOutputFolders())
            for (const QFileInfo& found : QDir(folder).entryInfoList({nameFilter}, QDir::Files))
                if (!accept || accept(found))
                    printed.file = found.filePath();
        if (printed.file.isEmpty())
            QTest::qWait(100);
    }
    for (int tries = 0; !printed.file.isEmpty() && tries < 100; ++tries) {
        const QString info = RunTool(QStringLiteral("pdfinfo"), {printed.file});
        if (info.contains(QLatin1String("Pages:"))) {
            printed.info = info;
            break;
        }
        QTest::qWait(100);
    }
    return printed;
}

} // namespace testsupport
