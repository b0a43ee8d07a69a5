// Every kind of edit of a long channel list through the main window, with its undo and its redo.
//
//   bench_edits [rows ...] [--runs N] [--only TEXT]
//
// Runs offscreen unless a platform is chosen. For each size (default 10,000 and then 5,000 rows) it opens a
// raw 2012-01 document whose air list and Astra HD+ list each hold that many rows, makes each edit the way a
// user does (selection, the window's buttons, the dialogs answered at once), and times the push, the undo
// and the redo, each until the window has handled what the step left pending. Every figure is the median
// of the runs in milliseconds, printed beside the time of a Select All of the same list in the same run,
// and the last table shows how each edit grows from the smallest to the largest size. --only runs just the
// edits whose name contains the text.

#include "benchkit.h"
#include "support/documentfixture.h"
#include "support/flowsupport.h"

#include "core/airchannel.h"
#include "core/astrahdchannel.h"
#include "core/channellistprovider.h"
#include "core/resultcode.h"
#include "dialogs/movedialog.h"
#include "mainwindow/mainwindow.h"
#include "tables/favgrid.h"
#include "tables/maingrid.h"
#include "widgets/styledspinbox.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The air list has this many analogue channels (numbered 0 to 99); the rest of its rows are digital.
constexpr int ANALOGUE_CHANNELS = 100;

// ---- the document

// An air list of `rows` channels (digital ones numbered 1 upwards, then 100 analogue ones) and an Astra HD+
// list of rows - 1 channels numbered 1 upwards (numbers end at 9,999), with the fixture's locks and ordered
// favourites; the other lists are the fixture's small ones.
bool writeDocument(int rows, const QString &path) {
    DataDirector unused;
    ChannelListProvider document(&unused);
    DocumentFixture::build(document);
    ChannelList<AirChannel> &air = *document.airList();
    air.clear();
    const int digital = rows - ANALOGUE_CHANNELS;
    for (int i = 0; i < digital; ++i)
        air.append(AirChannel(3000 + i, QStringLiteral("T %1").arg(i + 1), quint16(i + 1),
                              474.0f + 8 * (i % 40), 1, i % 3 == 0, i % 5 == 0, Channel::DIGITAL, 8, 0, 6,
                              1100 + i, 8468));
    for (int i = 0; i < ANALOGUE_CHANNELS; ++i)
        air.append(AirChannel(0, QStringLiteral("A%1").arg(i), quint16(i), 48.25f + 7 * i, 1, false, false,
                              Channel::ANALOGUE, 0, 2, 1, 0, 0));
    ChannelList<AstraHDChannel> &astra = *document.astraHDList();
    astra.clear();
    const quint16 bouquets[] = {1, 2};
    for (int i = 0; i < rows - 1; ++i)
        astra.append(AstraHDChannel(20000 + i, QStringLiteral("HD %1").arg(i + 1), quint16(i + 1),
                                    quint32(i % 8), quint32(1 + i % 2), quint16(100 + i), quint16(i + 1), 0,
                                    bouquets, 1 + i % 2, 1, i % 2 == 1, i % 5 == 0, Channel::DIGITAL, 1079,
                                    1));
    DocumentFixture::assignFavourites(air);
    DocumentFixture::assignFavourites(astra);
    if (DocumentFixture::writeRaw(FF_RAW_2012_01, document, path) != RC_SUCCESS) {
        std::fprintf(stderr, "cannot write the benchmark document\n");
        return false;
    }
    return true;
}

// ---- the window

class BenchWindow : public MainWindow {
public:
    using MainWindow::undoStack;
};

// Rows of the table whose channel is of the kind (not marked deleted) and numbered from..to.
QList<int> rowsNumbered(const MainGrid &grid, int kind, int from, int to) {
    QList<int> rows;
    for (int row = 0; row < grid.rowCount(); ++row) {
        const Channel *channel = grid.channelAt(row);
        if (channel && !channel->isDeleted() && channel->kind() == kind && channel->number() >= from &&
            channel->number() <= to)
            rows << row;
    }
    return rows;
}

void checkRows(MainGrid &grid, const QList<int> &rows) {
    grid.deselectAll(true);
    for (int row : rows)
        grid.setRowChecked(row, true);
}

// Answers a Move dialog with the number.
FlowSupport::ModalScript::Step moveTo(int number) {
    return [number](QWidget *w) {
        if (auto *dialog = qobject_cast<MoveDialog *>(w)) {
            dialog->spinBox()->setValue(number);
            dialog->accept();
        }
    };
}

struct Figures {
    double push = 0;
    double undo = 0;
    double redo = 0;
    double slowest() const { return std::max({push, undo, redo}); }
};

// One edit: prepare sets up the selection and the dialog answers (untimed), push makes the edit, and
// restore (untimed, after the push, undo and redo were timed) brings the document back to where it was.
// setup, when given, runs before prepare with dialogs of its own to answer (an edit that the measured one
// needs first).
struct Edit {
    const char *name;
    std::function<void(FlowSupport::ModalScript &)> prepare;
    std::function<void()> push;
    std::function<void()> restore;
    std::function<void()> setup = {};
};

class EditBench {
public:
    EditBench(BenchWindow &window, int runs) : m_window(window), m_runs(runs) {}

    double selectAll() {
        std::vector<double> times;
        for (int i = 0; i < m_runs; ++i) {
            times.push_back(timeOnce([this] { m_window.on_actionSelectAll(true); }));
            m_window.on_actionDeselectAll(true);
        }
        return median(times);
    }

    Figures run(const Edit &edit) {
        std::vector<double> push, undo, redo;
        for (int i = 0; i < m_runs; ++i) {
            if (edit.setup)
                edit.setup();
            FlowSupport::ModalScript script;
            edit.prepare(script);
            const int before = m_window.undoStack.index();
            push.push_back(timeOnce(edit.push));
            if (!script.done() || m_window.undoStack.index() != before + 1 ||
                script.seen.join(' ').contains("UNEXPECTED")) {
                std::fprintf(stderr, "%s: the edit was not made as planned (%s)\n", edit.name,
                             qPrintable(script.seen.join(QStringLiteral("; "))));
                std::exit(1);
            }
            undo.push_back(timeOnce([this] { m_window.on_actionUndo(); }));
            redo.push_back(timeOnce([this] { m_window.on_actionRedo(); }));
            m_window.on_actionUndo();
            if (edit.restore)
                edit.restore();
            if (MainGrid *grid = m_window.currentMainGrid())
                grid->deselectAll(true);
            QCoreApplication::processEvents();
        }
        return Figures{median(push), median(undo), median(redo)};
    }

private:
    // The operation and the events it left pending, from a window that has handled everything before.
    static double timeOnce(const std::function<void()> &operation) {
        return benchkit::measure(
                   1,
                   [&operation] {
                       operation();
                       QCoreApplication::processEvents();
                       return true;
                   },
                   [] { QCoreApplication::processEvents(); })
            .best;
    }

    static double median(std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    BenchWindow &m_window;
    int m_runs;
};

struct SizeResult {
    int rows = 0;
    double selectAll = 0;
    std::vector<Figures> figures;
};

// ---- the edits

std::vector<Edit> airEdits(BenchWindow &w, int rows) {
    const auto grid = [&w] { return w.currentMainGrid(); };
    const int digital = rows - ANALOGUE_CHANNELS;
    // A block of 1,000 digital channels from the middle of the list.
    const int blockFirst = digital / 2 + 1;
    const int blockLast = blockFirst + 999;
    const auto checkDigital = [grid](int from, int to) {
        checkRows(*grid(), rowsNumbered(*grid(), Channel::DIGITAL, from, to));
    };
    const auto setInsertMode = [&w](bool on) {
        w.insertButton->setChecked(on);
        w.on_insertButtonClicked(on);
    };
    const auto editCell = [grid](int columnId, int kind, int number, const QString &text) {
        const int row = rowsNumbered(*grid(), kind, number, number).value(0, -1);
        grid()->item(row, grid()->columnIndex(columnId))->setText(text);
    };
    const auto favouritesPage = [&w](bool on) { (on ? w.myChannelsButton : w.allButton)->click(); };
    const auto none = [](FlowSupport::ModalScript &) {};

    std::vector<Edit> edits;
    edits.push_back({"delete all",
                     [&w](FlowSupport::ModalScript &s) {
                         w.on_actionSelectAll(true);
                         s.press(QDialogButtonBox::Ok);
                     },
                     [&w] { w.on_deleteButton_clicked(); },
                     {}});
    edits.push_back({"lock all",
                     [&w](FlowSupport::ModalScript &) { w.on_actionSelectAll(true); },
                     [&w] { w.on_lockButton_clicked(); },
                     {}});
    edits.push_back({"favourites add, lists page",
                     [&w](FlowSupport::ModalScript &) { w.on_actionSelectAll(true); },
                     [&w] { w.on_actionSetFav1(true); },
                     {}});
    edits.push_back({"favourites remove, lists page",
                     [&w](FlowSupport::ModalScript &) { w.on_actionSelectAll(true); },
                     [&w] { w.on_actionSetFav1(false); },
                     {}});
    edits.push_back({"favourites add, favourites page",
                     [&w, favouritesPage](FlowSupport::ModalScript &) {
                         favouritesPage(true);
                         w.currentLeftFavGrid()->selectAll(true);
                     },
                     [&w] { w.on_addButton_clicked(); }, [favouritesPage] { favouritesPage(false); }});
    edits.push_back({"favourites remove, favourites page",
                     [&w, favouritesPage](FlowSupport::ModalScript &) {
                         favouritesPage(true);
                         w.currentRightFavGrid()->selectAll(true);
                     },
                     [&w] { w.on_subButton_clicked(); }, [favouritesPage] { favouritesPage(false); }});
    edits.push_back(
        {"renumber one (number cell)",
         none,
         [editCell] { editCell(Grid::NUMBER_COLUMN, Channel::DIGITAL, 1, QStringLiteral("9999")); },
         {}});
    edits.push_back(
        {"rename one (name cell)",
         none,
         [editCell] { editCell(Grid::NAME_COLUMN, Channel::ANALOGUE, 5, QStringLiteral("BENCH")); },
         {}});
    edits.push_back({"swap-mode move of 1,000 by +1",
                     [=](FlowSupport::ModalScript &s) {
                         setInsertMode(false);
                         checkDigital(blockFirst, blockLast);
                         s.add(moveTo(blockFirst + 1));
                         s.press(QDialogButtonBox::YesToAll);
                     },
                     [&w] { w.on_renumberButton_clicked(); },
                     {}});
    edits.push_back({"swap-mode move of all by +1",
                     [=](FlowSupport::ModalScript &s) {
                         setInsertMode(false);
                         checkDigital(1, digital);
                         s.add(moveTo(2));
                     },
                     [&w] { w.on_renumberButton_clicked(); },
                     {}});
    edits.push_back({"insert-mode move of 1,000",
                     [=](FlowSupport::ModalScript &s) {
                         setInsertMode(true);
                         checkDigital(blockFirst, blockLast);
                         s.add(moveTo(1001));
                         s.press(QDialogButtonBox::Yes);
                     },
                     [&w] { w.on_renumberButton_clicked(); },
                     {}});
    edits.push_back({"insert-mode move of all",
                     [=](FlowSupport::ModalScript &s) {
                         setInsertMode(true);
                         checkDigital(1, digital);
                         s.add(moveTo(2));
                     },
                     [&w] { w.on_renumberButton_clicked(); },
                     {}});
    edits.push_back({"drop of 1,000",
                     [=](FlowSupport::ModalScript &) { checkDigital(blockFirst, blockLast); },
                     [=] {
                         const int dragRow =
                             rowsNumbered(*grid(), Channel::DIGITAL, blockFirst, blockFirst).value(0);
                         const int above = rowsNumbered(*grid(), Channel::DIGITAL, 100, 100).value(0);
                         grid()->dropAt(dragRow, above, above + 1, false);
                     },
                     {}});
    return edits;
}

std::vector<Edit> astraEdits(BenchWindow &w, int rows) {
    const auto grid = [&w] { return w.currentMainGrid(); };
    const auto checkNumbers = [grid](int from, int to) {
        checkRows(*grid(), rowsNumbered(*grid(), Channel::DIGITAL, from, to));
    };
    // Thirty channels of the favourite range deleted, which leaves thirty free places for a copy.
    const auto deleteThirty = [checkNumbers](FlowSupport::ModalScript &s) {
        checkNumbers(60, 89);
        s.press(QDialogButtonBox::Ok);
    };
    const int outside = rows / 2;

    std::vector<Edit> edits;
    edits.push_back({"Astra HD+ move of 10 in the range",
                     [checkNumbers](FlowSupport::ModalScript &s) {
                         checkNumbers(50, 59);
                         s.add(moveTo(1));
                     },
                     [&w] { w.on_renumberButton_clicked(); },
                     {}});
    edits.push_back(
        {"Astra HD+ delete of 30 in the range", deleteThirty, [&w] { w.on_deleteButton_clicked(); }, {}});
    edits.push_back({"Astra HD+ copy of 30 into the range",
                     [checkNumbers, outside](FlowSupport::ModalScript &s) {
                         checkNumbers(outside, outside + 29);
                         s.add(moveTo(1));
                     },
                     [&w] { w.on_astraHDCopyButton_clicked(); }, [&w] { w.on_actionUndo(); },
                     [&w, deleteThirty] {
                         FlowSupport::ModalScript deletion;
                         deleteThirty(deletion);
                         w.on_deleteButton_clicked();
                     }});
    return edits;
}

// ---- the tables

void printSize(const SizeResult &r, const std::vector<const char *> &names) {
    std::printf("\n%d rows; Select All %.1f ms; each figure in ms and (in brackets) as a multiple of it\n",
                r.rows, r.selectAll);
    std::printf("%-38s %18s %18s %18s\n", "edit", "push", "undo", "redo");
    const auto cell = [&r](double ms) {
        static char text[40];
        std::snprintf(text, sizeof text, "%8.1f (%5.1fx)", ms, ms / r.selectAll);
        return std::string(text);
    };
    for (size_t i = 0; i < names.size(); ++i) {
        const Figures &f = r.figures[i];
        std::printf("%-38s %18s %18s %18s\n", names[i], cell(f.push).c_str(), cell(f.undo).c_str(),
                    cell(f.redo).c_str());
    }
}

void printGrowth(const std::vector<SizeResult> &results, const std::vector<const char *> &names) {
    auto largest = std::max_element(results.begin(), results.end(),
                                    [](const SizeResult &a, const SizeResult &b) { return a.rows < b.rows; });
    auto smallest =
        std::min_element(results.begin(), results.end(),
                         [](const SizeResult &a, const SizeResult &b) { return a.rows < b.rows; });
    if (largest->rows == smallest->rows)
        return;
    std::printf("\ngrowth from %d to %d rows (push + undo + redo; linear is %.1fx)\n", smallest->rows,
                largest->rows, double(largest->rows) / smallest->rows);
    const auto total = [](const Figures &f) { return f.push + f.undo + f.redo; };
    std::printf("%-38s %9s %9s %8s\n", "edit", "small", "large", "growth");
    std::printf("%-38s %9.1f %9.1f %7.1fx\n", "select all (baseline)", smallest->selectAll,
                largest->selectAll, largest->selectAll / smallest->selectAll);
    for (size_t i = 0; i < names.size(); ++i) {
        const double a = total(smallest->figures[i]);
        const double b = total(largest->figures[i]);
        std::printf("%-38s %9.1f %9.1f %7.1fx\n", names[i], a, b, b / a);
    }
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.08"));
    std::vector<int> sizes;
    int runs = 3;
    QString only;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, atoi(argv[++i]));
        else if (qstrcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = QString::fromLocal8Bit(argv[++i]);
        else
            sizes.push_back(std::clamp(atoi(argv[i]), 2000, 10000));
    }
    if (sizes.empty())
        sizes = {10000, 5000};

    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    // Settings and working folders of this run stay in the temporary folder.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());

    BenchWindow window;
    window.resize(1280, 800);
    window.CustomMainWindow::show();
    QCoreApplication::processEvents();
    EditBench bench(window, runs);

    std::vector<SizeResult> results;
    std::vector<const char *> names;
    for (int rows : sizes) {
        const QString path = dir.filePath(QStringLiteral("edits%1.rvl").arg(rows));
        if (!writeDocument(rows, path) || !window.loadFile(path, false, QStringLiteral("DEU"), false)) {
            std::fprintf(stderr, "cannot open the benchmark document of %d rows\n", rows);
            return 1;
        }
        QCoreApplication::processEvents();
        SizeResult result;
        result.rows = rows;
        names.clear();
        window.airButton->click();
        result.selectAll = bench.selectAll();
        const auto wanted = [&only](const Edit &edit) { return QLatin1String(edit.name).contains(only); };
        for (const Edit &edit : airEdits(window, rows)) {
            if (!wanted(edit))
                continue;
            names.push_back(edit.name);
            result.figures.push_back(bench.run(edit));
        }
        window.astraHDButton->click();
        for (const Edit &edit : astraEdits(window, rows)) {
            if (!wanted(edit))
                continue;
            names.push_back(edit.name);
            result.figures.push_back(bench.run(edit));
        }
        printSize(result, names);
        std::fflush(stdout);
        results.push_back(result);
    }
    printGrowth(results, names);

    double slowest = 0;
    for (const Figures &f : results.front().figures)
        slowest = std::max(slowest, f.slowest());
    std::printf("\nslowest push, undo or redo at %d rows: %.1f ms (goal: under 200 ms): %s\n",
                results.front().rows, slowest, slowest < 200 ? "met" : "missed");
    return 0;
}
