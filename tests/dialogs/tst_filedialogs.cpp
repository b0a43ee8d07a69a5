#include "dialogs/openfiledialog.h"
#include "dialogs/savefiledialog.h"
#include "platform/removablemedia.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString rawFilter = QStringLiteral("Quorlin raw channel list files (*.rvl)");
const QString universalFilter = QStringLiteral("Quorlin universal channel list files (*.ulmx)");

QStringList comboTexts(const QComboBox *combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

template <class T> T *child(QObject *parent, const char *name) {
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("missing child %s", name);
    return found;
}
} // namespace

class TestFileDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }
    void cleanup() { RemovableMedia::setJudge({}); }

    void countryListIsTheTelevisionsList() {
        QFile file(QStringLiteral(":/txt/countrycodes.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 992);
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(bytes.endsWith('\n'));
        const QList<QByteArray> codes = bytes.chopped(1).split('\n');
        QCOMPARE(codes.size(), 248);
        QCOMPARE(codes.first(), QByteArray("ABW"));
        QCOMPARE(codes.last(), QByteArray("ZWE"));
        for (int i = 0; i < codes.size(); ++i) {
            QCOMPARE(codes[i].size(), 3);
            QCOMPARE(codes[i].toUpper(), codes[i]);
            if (i > 0)
                QVERIFY2(codes[i - 1] < codes[i], codes[i].constData());
        }
        for (const char *kept : {"ANT", "PLE", "SER", "PSE", "SRB", "DEU"})
            QVERIFY2(codes.contains(kept), kept);
        for (const char *later : {"BES", "CUW", "SXM", "SSD"})
            QVERIFY2(!codes.contains(later), later);
    }

    void openDialogOffersBothFamiliesAndCountries() {
        OpenFileDialog dialog(nullptr, QStringLiteral("Open File"), folder.path(), false);
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(dialog.nameFilters(), QStringList({rawFilter, universalFilter}));
        QCOMPARE(dialog.selectedNameFilter(), rawFilter);

        auto *combo = child<QComboBox>(&dialog, "countryCombo");
        auto *label = child<QLabel>(&dialog, "countryLabel");
        QVERIFY(combo && label);
        QCOMPARE(label->text(), QStringLiteral("Country:"));
        QCOMPARE(combo->count(), 249);
        const QStringList texts = comboTexts(combo);
        QCOMPARE(texts.mid(0, 3), QStringList({"*", "ABW", "AFG"}));
        QCOMPARE(texts.mid(247), QStringList({"ZMB", "ZWE"}));
        QCOMPARE(dialog.selectedCountry(), QStringLiteral("*"));
        QVERIFY(!combo->isEnabled());
        QVERIFY(!label->isEnabled());
    }

    void countryRowFollowsTheFileType() {
        OpenFileDialog dialog(nullptr, QStringLiteral("Open File"), folder.path(), false);
        auto *combo = child<QComboBox>(&dialog, "countryCombo");
        auto *name = child<QLineEdit>(&dialog, "fileNameEdit");
        QVERIFY(combo && name);

        name->setText(QStringLiteral("typed"));
        dialog.selectNameFilter(universalFilter);
        QVERIFY(combo->isEnabled());
        QVERIFY(name->text().isEmpty());

        combo->setCurrentIndex(combo->findText(QStringLiteral("DEU")));
        name->setText(QStringLiteral("typed"));
        dialog.selectNameFilter(rawFilter);
        QVERIFY(!combo->isEnabled());
        QVERIFY(name->text().isEmpty());
        // The code stays chosen and is still reported while the row is disabled.
        QCOMPARE(dialog.selectedCountry(), QStringLiteral("DEU"));
    }

    void mergeModeOffersUniversalFilesOnly() {
        OpenFileDialog dialog(nullptr, QStringLiteral("Choose file to merge"), folder.path(), true);
        QCOMPARE(dialog.nameFilters(), QStringList({universalFilter}));
        auto *combo = child<QComboBox>(&dialog, "countryCombo");
        QVERIFY(combo);
        QVERIFY(!combo->isEnabled());
        QCOMPARE(dialog.selectedCountry(), QStringLiteral("*"));
    }

    void openDialogAcceptsAnExistingFile() {
        const QString path = folder.filePath(QStringLiteral("list.rvl"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        OpenFileDialog dialog(nullptr, QStringLiteral("Open File"), folder.path(), false);
        dialog.selectFile(path);
        static_cast<QDialog &>(dialog).accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles().value(0), path);
    }

    void saveDialogStartsOnTheDocumentsModelYear_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("2010-01") << 3 << "2010-01";
        QTest::newRow("2011-01") << 4 << "2011-01";
        QTest::newRow("2012-01") << 5 << "2012-01";
        QTest::newRow("universal document") << 0 << "2012-01";
        QTest::newRow("unknown") << 42 << "2012-01";
    }
    void saveDialogStartsOnTheDocumentsModelYear() {
        QFETCH(int, format);
        QFETCH(QString, shown);
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), format, folder.path());
        QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog.nameFilters(), QStringList({rawFilter, universalFilter}));
        QCOMPARE(dialog.selectedNameFilter(), rawFilter);
        auto *combo = child<QComboBox>(&dialog, "formatCombo");
        QVERIFY(combo);
        QCOMPARE(comboTexts(combo), QStringList({"2012-01", "2011-01", "2010-01"}));
        QCOMPARE(combo->currentText(), shown);
        QVERIFY(combo->isEnabled());
        QCOMPARE(dialog.selectedFormat(), combo->currentData().toInt());
    }

    void universalTypeSelectsFormatOne() {
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 4, folder.path());
        auto *combo = child<QComboBox>(&dialog, "formatCombo");
        auto *label = child<QLabel>(&dialog, "formatLabel");
        auto *name = child<QLineEdit>(&dialog, "fileNameEdit");
        QVERIFY(combo && label && name);
        QCOMPARE(dialog.selectedFormat(), 4);

        name->setText(QStringLiteral("typed"));
        dialog.selectNameFilter(universalFilter);
        QVERIFY(name->text().isEmpty());
        QVERIFY(!combo->isEnabled());
        QVERIFY(!label->isEnabled());
        QCOMPARE(dialog.selectedFormat(), 1);

        dialog.selectNameFilter(rawFilter);
        QVERIFY(combo->isEnabled());
        QCOMPARE(dialog.selectedFormat(), 4);
    }

    void acceptCompletesTheSuffix_data() {
        QTest::addColumn<bool>("universal");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("raw, bare") << false << "list"
                                   << "list.rvl";
        QTest::newRow("raw, has suffix") << false << "list.rvl"
                                         << "list.rvl";
        QTest::newRow("raw, capital suffix") << false << "list.RVL"
                                             << "list.RVL.rvl";
        QTest::newRow("raw, universal suffix") << false << "list.ulmx"
                                               << "list.ulmx.rvl";
        QTest::newRow("universal, bare") << true << "list"
                                         << "list.ulmx";
        QTest::newRow("universal, has suffix") << true << "list.ulmx"
                                               << "list.ulmx";
        QTest::newRow("universal, raw suffix") << true << "list.rvl"
                                               << "list.rvl.ulmx";
    }
    void acceptCompletesTheSuffix() {
        QFETCH(bool, universal);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 5, folder.path());
        if (universal)
            dialog.selectNameFilter(universalFilter);
        auto *name = child<QLineEdit>(&dialog, "fileNameEdit");
        QVERIFY(name);
        name->setText(typed);
        static_cast<QDialog &>(dialog).accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles().value(0), QDir(folder.path()).filePath(saved));
    }

    void acceptClosesOverAnExistingFileWithoutAsking() {
        const QString path = folder.filePath(QStringLiteral("existing.rvl"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 5, folder.path());
        child<QLineEdit>(&dialog, "fileNameEdit")->setText(QStringLiteral("existing"));
        static_cast<QDialog &>(dialog).accept(); // a question box would block here
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedFiles().value(0), path);
    }

    void acceptWithoutANameStaysOpen() {
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 5, folder.path());
        dialog.show();
        static_cast<QDialog &>(dialog).accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
    }

    void acceptTakesTheTypedNameOverAClickedFolder() {
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("sub")));
        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 5, folder.path());
        dialog.selectFile(folder.filePath(QStringLiteral("sub")));
        child<QLineEdit>(&dialog, "fileNameEdit")->setText(QStringLiteral("target"));
        static_cast<QDialog &>(dialog).accept();
        QCOMPARE(dialog.selectedFiles().value(0), folder.filePath(QStringLiteral("target.rvl")));
    }

    void folderViewsAreDisabledOnRemovableDrives() {
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("stick")));
        const QString stick = folder.filePath(QStringLiteral("stick"));
        RemovableMedia::setJudge([stick](const QString &path) { return QDir(path) == QDir(stick); });

        SaveFileDialog dialog(nullptr, QStringLiteral("Save As"), 5, stick);
        auto *view = child<QStackedWidget>(&dialog, "stackedWidget");
        QVERIFY(view);
        QVERIFY(!view->isEnabled());
        // Only the folder views: a name can still be typed and the format chosen.
        QVERIFY(child<QLineEdit>(&dialog, "fileNameEdit")->isEnabled());
        QVERIFY(child<QComboBox>(&dialog, "formatCombo")->isEnabled());

        dialog.setDirectory(folder.path());
        QVERIFY(view->isEnabled());
        dialog.setDirectory(stick);
        QVERIFY(!view->isEnabled());
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
