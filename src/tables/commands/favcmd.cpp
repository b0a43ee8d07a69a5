#include "tables/commands/favcmd.h"

#include "core/channel.h"
#include "tables/editcontext.h"
#include "tables/favgrid.h"

FavCmd::FavCmd(Channel *channel, int list, int newPosition, QUndoCommand *parent)
    : UndoItem(parent), m_channel(channel), m_list(list), m_newPosition(newPosition) {
    const bool validList = list >= 1 && list <= Channel::NUMBER_MY_FAVOURITES_LISTS;
    m_oldPosition = (channel && validList) ? channel->favouritePosition(static_cast<quint16>(list))
                                           : Channel::NOT_A_MEMBER;
    m_oldModified = channel ? channel->isModified() : false;
}

void FavCmd::redo() {
    apply(m_newPosition);
}

void FavCmd::undo() {
    apply(m_oldPosition);
    if (m_channel)
        m_channel->setModified(m_oldModified);
}

void FavCmd::apply(int position) {
    if (!m_channel)
        return;
    m_channel->setFavouritePosition(static_cast<quint16>(m_list), position);
    EditContext *ctx = context();
    FavGrid *right = ctx ? ctx->currentRightFavGrid() : nullptr;
    if (!right)
        return;
    const int row = right->rowOfChannel(m_channel);
    if (row >= 0)
        right->refreshChannelRow(m_channel, row, m_list);
}
