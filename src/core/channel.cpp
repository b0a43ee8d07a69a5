#include "core/channel.h"

#include "core/sharedtexts.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstring>

Channel::Channel(int serviceId, const QString &name, quint16 number, float frequency, int serviceType,
                 bool scrambled, bool locked, int kind, int tsid, int onid)
    : m_serviceId(serviceId), m_name(name), m_number(number), m_frequency(frequency),
      m_serviceType(serviceType), m_scrambled(scrambled), m_locked(locked), m_kind(kind), m_tsid(tsid),
      m_onid(onid) {
    for (int &position : m_favourites)
        position = NOT_A_MEMBER;
}

void Channel::setName(const QString &) {}

void Channel::setNumber(quint16 number) {
    if (number > MAX_NUMBER)
        return;
    m_number = number;
    m_modified = true;
}

int Channel::categoryOfServiceType(int serviceType) {
    switch (serviceType) {
    case 1:
    case 17:
    case 22:
    case 25:
        return CATEGORY_TV;
    case 2:
    case 10:
        return CATEGORY_RADIO;
    default:
        return CATEGORY_DATA;
    }
}

int Channel::category() const {
    return categoryOfServiceType(m_serviceType);
}

void Channel::setLocked(bool locked) {
    m_locked = locked;
    m_modified = true;
}

bool Channel::isInFavourites(quint16 list) const {
    return favouritePosition(list) != NOT_A_MEMBER;
}

int Channel::favouritePosition(quint16 list) const {
    const int index = list - 1;
    Q_ASSERT_X(index >= 0 && index < Channel::NUMBER_MY_FAVOURITES_LISTS, __FILE__,
               "index < Channel::NUMBER_MY_FAVOURITES_LISTS");
    if (index < 0 || index >= NUMBER_MY_FAVOURITES_LISTS)
        return NOT_A_MEMBER;
    return m_favourites[index];
}

void Channel::setFavouritePosition(quint16 list, int position) {
    const int index = list - 1;
    if (index < 0 || index >= NUMBER_MY_FAVOURITES_LISTS)
        return;
    m_favourites[index] = position;
    m_modified = true;
}

quint16 Channel::favouritesMask() const {
    quint16 mask = 0;
    for (int i = 0; i < NUMBER_MY_FAVOURITES_LISTS; ++i) {
        if (m_favourites[i] != NOT_A_MEMBER)
            mask |= quint16(1u << i);
    }
    return mask;
}

QString Channel::line(const QString &title, const QString &value) {
    return title + QStringLiteral(": ") + value + QLatin1Char('\n');
}

QString Channel::baseDescription() const {
    QString text;
    text += line(SharedTexts::number(), QString::number(m_number));
    text += line(SharedTexts::name(), m_name);
    text += line(SharedTexts::type(), m_kind == ANALOGUE ? SharedTexts::analogue() : SharedTexts::digital());
    if (m_kind != ANALOGUE) {
        text += line(SharedTexts::serviceId(), QString::number(m_serviceId));
        text += line(SharedTexts::tsid(), QString::number(m_tsid));
        text += line(SharedTexts::onid(), QString::number(m_onid));
    }
    text += line(SharedTexts::locked(), m_locked ? QCoreApplication::translate("QObject", "Yes")
                                                 : QCoreApplication::translate("QObject", "No"));
    QStringList lists;
    for (int i = 0; i < NUMBER_MY_FAVOURITES_LISTS; ++i) {
        if (m_favourites[i] != NOT_A_MEMBER)
            lists << QString::number(i + 1);
    }
    if (!lists.isEmpty())
        text += line(SharedTexts::myFavourites(), lists.join(QStringLiteral(", ")));
    return text;
}

QString Channel::toString() const {
    QString text = baseDescription();
    text += line(SharedTexts::frequency(),
                 QString::number(double(m_frequency), 'f', 2) + QLatin1Char(' ') + SharedTexts::mhz());
    text.chop(1);
    return text;
}

bool sameChannelFields(const Channel &a, const Channel &b) {
    for (int i = 0; i < Channel::NUMBER_MY_FAVOURITES_LISTS; ++i) {
        if (a.m_favourites[i] != b.m_favourites[i])
            return false;
    }
    // Frequencies are compared bit for bit: a round trip must keep them exactly, NaN included.
    return a.m_serviceId == b.m_serviceId && a.m_name == b.m_name && a.m_number == b.m_number &&
           std::memcmp(&a.m_frequency, &b.m_frequency, sizeof(float)) == 0 &&
           a.m_serviceType == b.m_serviceType && a.m_scrambled == b.m_scrambled && a.m_locked == b.m_locked &&
           a.m_kind == b.m_kind && a.m_modified == b.m_modified && a.m_deleted == b.m_deleted &&
           a.m_tsid == b.m_tsid && a.m_onid == b.m_onid;
}
