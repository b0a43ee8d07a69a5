#include "core/sharedtexts.h"

#include <QCoreApplication>

const char *const RAW_FILE_SUFFIX = ".rvl";
const char *const UNIVERSAL_FILE_SUFFIX = ".ulmx";
const QString RAW_FILE_FILTER =
    QStringLiteral("Quorlin raw channel list files (*") + QLatin1String(RAW_FILE_SUFFIX) + QLatin1Char(')');
const QString UNIVERSAL_FILE_FILTER = QStringLiteral("Quorlin universal channel list files (*") +
                                      QLatin1String(UNIVERSAL_FILE_SUFFIX) + QLatin1Char(')');
const char *const NO_COUNTRY = "*";

namespace {
QString tr(const char *text) {
    return QCoreApplication::translate("QObject", text);
}
} // namespace

namespace SharedTexts {
QString analogue() {
    return tr("Analogue");
}
QString digital() {
    return tr("Digital");
}

QString name() {
    return tr("Name");
}
QString number() {
    return tr("Number");
}
QString type() {
    return tr("Type");
}
QString locked() {
    return tr("Locked");
}
QString myFavourites() {
    return tr("My Favourites");
}
QString frequency() {
    return tr("Frequency");
}
QString colourSystem() {
    return tr("Colour System");
}
QString soundSystem() {
    return tr("Sound System");
}
QString bandwidth() {
    return tr("Bandwidth");
}
QString modulation() {
    return tr("Modulation");
}
QString symbolRate() {
    return tr("Symbol Rate");
}
QString satellite() {
    return tr("Satellite");
}
QString provider() {
    return tr("Provider");
}
QString fec() {
    return tr("FEC");
}
QString polarity() {
    return tr("Polarity");
}
QString serviceId() {
    return tr("Service ID");
}
QString tsid() {
    return tr("TSID");
}
QString onid() {
    return tr("ONID");
}

QString mhz() {
    return tr("MHz");
}
QString khz() {
    return tr("kHz");
}
QString ksps() {
    return tr("kS/s");
}

QString statAll() {
    return tr("All:\t");
}
QString statTv() {
    return tr("TV:\t");
}
QString statRadio() {
    return tr("Radio:\t");
}
QString statDataOther() {
    return tr("Data/Other:\t");
}
QString statSatellite() {
    return tr("%1:\t");
}
QString statFree() {
    return tr("Free:\t");
}
QString statScrambled() {
    return tr("Scrambled:\t");
}
QString channelsInList() {
    return tr("Channels in list");
}

QString tipDelete() {
    return tr("Delete (Del)");
}
QString tipCopyToRange() {
    return tr("Copy to 1-99 range");
}
QString tipEditNumber() {
    return tr("Edit Number / Move To");
}
QString tipEditName() {
    return tr("Edit Name");
}
QString tipUndo() {
    return tr("Undo (Ctrl+Z)");
}
QString tipRedo() {
    return tr("Redo (Ctrl+Y)");
}
QString tipLock() {
    return tr("Lock");
}
QString tipUnlock() {
    return tr("Unlock");
}
QString tipMyFav(int list) {
    static const char *const tips[] = {
        QT_TRANSLATE_NOOP("QObject", "My Fav 1"), QT_TRANSLATE_NOOP("QObject", "My Fav 2"),
        QT_TRANSLATE_NOOP("QObject", "My Fav 3"), QT_TRANSLATE_NOOP("QObject", "My Fav 4"),
        QT_TRANSLATE_NOOP("QObject", "My Fav 5")};
    if (list < 1 || list > 5)
        return QString();
    return tr(tips[list - 1]);
}
} // namespace SharedTexts
