#ifndef SAVECAPACITY_H
#define SAVECAPACITY_H

#include <QList>
#include <QString>
#include <QStringList>

class ChannelListProvider;

// What a save in a format would not keep of a document: one short, concrete text per kind of loss ("A 2010-01
// file holds no Astra HD+ list: its 40 channels will not be saved."). Read from the document and the
// process-wide satellite database alone; nothing is written. Empty when the file would hold everything.
class SaveCapacity {
public:
    // One kind of loss: how many channels or names it concerns, and the sentence that says so.
    struct Loss {
        int count = 0;
        QString text;
    };

    // format: FF_UNIVERSAL, a raw model year, or FF_KEEP for the format a plain save writes.
    SaveCapacity(const ChannelListProvider &document, int format);

    bool isEmpty() const { return m_losses.isEmpty(); }
    const QList<Loss> &losses() const { return m_losses; }
    QStringList texts() const;

    // True for a raw model year before the document's own one. The universal format is no model year: it is
    // neither older nor newer than any.
    static bool isOlderFormat(int documentFormat, int format);

private:
    // A loss of count items; nothing when count is 0. one is the text for a single item; many takes the count
    // in its lowest place marker still open (the format's name and the like already filled in).
    void add(int count, const QString &one, const QString &many);

    QList<Loss> m_losses;
};

#endif
