#ifndef CHANNEL_H
#define CHANNEL_H

#include <QString>
#include <QtGlobal>

// The base of every channel. Documents own channels; tables and undo commands hold plain pointers to them, so
// a channel is never moved while it sits in a document's list (see ChannelList).
class Channel {
public:
    static constexpr int NUMBER_MY_FAVOURITES_LISTS = 5;
    static constexpr quint16 MAX_NUMBER = 9999;
    static constexpr int NOT_A_MEMBER = -1;
    static constexpr int MEMBER_WITHOUT_POSITION = -2;
    // Positions in an ordered favourites list are 1 up to this; a raw file keeps them in 16 bits.
    static constexpr int HIGHEST_FAVOURITE_POSITION = 0xFFFF;

    enum Kind { DIGITAL = 0, ANALOGUE = 1 };
    enum Category { CATEGORY_TV = 1, CATEGORY_RADIO = 2, CATEGORY_DATA = 4 };

    Channel(int serviceId, const QString &name, quint16 number, float frequency, int serviceType,
            bool scrambled, bool locked, int kind, int tsid, int onid);
    virtual ~Channel() = default;

    int serviceId() const { return m_serviceId; }
    const QString &name() const { return m_name; }
    // Only air and cable channels take a new name; satellite names come from the broadcast.
    virtual void setName(const QString &name);

    quint16 number() const { return m_number; }
    // Ignores numbers above 9999 without a report.
    void setNumber(quint16 number);

    virtual float frequency() const { return m_frequency; }
    int serviceType() const { return m_serviceType; }
    bool isScrambled() const { return m_scrambled; }
    virtual int kind() const { return m_kind; }
    // 1 TV, 2 radio, 4 data/other, from the DVB service type.
    int category() const;
    int transportStreamId() const { return m_tsid; }
    int originalNetworkId() const { return m_onid; }

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);

    // list is 1..5. A member without a position (-2) counts as a member.
    bool isInFavourites(quint16 list) const;
    int favouritePosition(quint16 list) const;
    // Any value is stored, -1 and -2 included; a list outside 1..5 is ignored.
    void setFavouritePosition(quint16 list, int position);
    // Bit list-1 set for every list the channel belongs to.
    quint16 favouritesMask() const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    bool isDeleted() const { return m_deleted; }
    void setDeleted(bool deleted) { m_deleted = deleted; }

    // Multi-line "Title: value" description, used as the tool tip of the channel's table row.
    virtual QString toString() const;

    static int categoryOfServiceType(int serviceType);

protected:
    Channel(const Channel &) = default;
    Channel &operator=(const Channel &) = default;

    // Lines shared by every kind, for the subclasses' descriptions.
    QString baseDescription() const;
    static QString line(const QString &title, const QString &value);
    void markModified() { m_modified = true; }
    void storeName(const QString &name) {
        m_name = name;
        m_modified = true;
    }

private:
    int m_serviceId;
    QString m_name;
    quint16 m_number;
    float m_frequency;
    int m_serviceType;
    bool m_scrambled;
    bool m_locked;
    int m_kind;
    int m_favourites[NUMBER_MY_FAVOURITES_LISTS];
    bool m_modified = false;
    bool m_deleted = false;
    int m_tsid;
    int m_onid;

    friend bool sameChannelFields(const Channel &a, const Channel &b);
};

// Field-by-field equality of the Channel part (used by the subclasses' operator==).
bool sameChannelFields(const Channel &a, const Channel &b);

#endif
