// Open and Save As of a 10,000-channel document through the main window, raw 2012-01 and universal.
//
//   bench_flows [channels] [repetitions]
//
// Runs offscreen unless a platform is chosen. "open" is the whole load of the window: reading, building and
// filling every table, the pause at 100 % and the install. "save as" goes through the Save As dialog
// (answered at once) to a new file of the same format, so nothing is rebuilt. "universal to 2012-01" is a
// Save As that converts: the written file is read back and every table built anew, without progress dialog
// or pause; the universal file is opened again before each run, outside the time. Prints the best and the
// median time in milliseconds, the memory an operation added at its peak, and the process's peak memory.

#include "benchdocument.h"
#include "benchkit.h"
#include "support/flowsupport.h"

#include "core/resultcode.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
using benchkit::Result;

// The highest resident size any measured operation reached.
qint64 processPeakKb = 0;

// Each run starts once the window has handled what the last one left pending.
Result measure(int repetitions, const std::function<bool()> &operation) {
    const Result result =
        benchkit::measure(repetitions, operation, [] { QCoreApplication::processEvents(); });
    processPeakKb = std::max(processPeakKb, result.peakKb);
    return result;
}

void print(const char *name, const Result &r, double goalMs) {
    std::printf("%-20s best %8.1f ms   median %8.1f ms   peak +%6.1f MB   goal %5.0f ms: %s\n", name, r.best,
                r.median, double(r.addedKb) / 1024.0, goalMs, r.median < goalMs ? "met" : "missed");
}

class BenchWindow : public MainWindow {
public:
    using MainWindow::currentFile;
};
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.08"));
    const int channels = argc > 1 ? std::max(200, atoi(argv[1])) : 10000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // Settings and working folders of this run stay in the temporary folder.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());

    benchkit::BenchFiles files;
    if (!benchkit::writeBenchFiles(channels, repetitions, dir, files))
        return 1;
    const QString &raw = files.raw;
    const QString &universal = files.universal;

    BenchWindow window;
    window.resize(1280, 800);
    window.CustomMainWindow::show();
    QCoreApplication::processEvents();

    const auto open = [&](const QString &file) {
        return [&, file] {
            return window.loadFile(file, false, QStringLiteral("DEU"), false) && window.currentFile == file;
        };
    };
    int saveCount = 0;
    const auto saveAs = [&](const QString &suffix, int format) {
        return [&, suffix, format] {
            const QString target = dir.filePath(QStringLiteral("saved%1%2").arg(++saveCount).arg(suffix));
            FlowSupport::ModalScript script;
            script.saveFile(target, format);
            window.on_actionSaveAs();
            return script.done() && script.seen.size() == 1 && window.currentFile == target;
        };
    };

    const Result rawOpen = measure(repetitions, open(raw));
    print("raw 2012-01 open", rawOpen, 1500);
    const Result rawSave = measure(repetitions, saveAs(QStringLiteral(".rvl"), FF_RAW_2012_01));
    print("raw 2012-01 save as", rawSave, 300);
    const Result universalOpen = measure(repetitions, open(universal));
    print("universal open", universalOpen, 1500);
    const Result universalSave = measure(repetitions, saveAs(QStringLiteral(".ulmx"), FF_UNIVERSAL));
    print("universal save as", universalSave, 300);
    const Result conversion =
        benchkit::measure(repetitions, saveAs(QStringLiteral(".rvl"), FF_RAW_2012_01), [&] {
            open(universal)();
            QCoreApplication::processEvents();
        });
    processPeakKb = std::max(processPeakKb, conversion.peakKb);
    print("universal to 2012-01", conversion, 1500);
    std::printf("open includes the fixed 300 ms pause at 100 %%\n");
    std::printf("process peak resident memory %.1f MB (goal: under 200 MB)\n",
                double(processPeakKb) / 1024.0);
    return 0;
}
