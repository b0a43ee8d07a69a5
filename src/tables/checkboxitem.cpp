#include "tables/checkboxitem.h"

#include "core/channel.h"

CheckBoxItem::CheckBoxItem(Channel *channel, bool checked) : m_channel(channel) {
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsEnabled);
    setChecked(checked);
}

void CheckBoxItem::setChecked(bool checked) {
    setData(Qt::CheckStateRole, checked ? Qt::Checked : Qt::Unchecked);
}

void CheckBoxItem::setData(int role, const QVariant &value) {
    if (role == Qt::CheckStateRole)
        m_checked = value.toInt() == Qt::Checked;
    QTableWidgetItem::setData(role, value);
}

bool CheckBoxItem::operator<(const QTableWidgetItem &other) const {
    return isChecked() && other.data(Qt::CheckStateRole).toInt() != Qt::Checked;
}

QVariant CheckBoxItem::data(int role) const {
    if (role == Qt::ToolTipRole) {
        const QVariant own = QTableWidgetItem::data(role);
        if (own.isValid() || !m_channel)
            return own;
        return m_channel->toString();
    }
    return QTableWidgetItem::data(role);
}
