#ifndef CHECKBOXITEM_H
#define CHECKBOXITEM_H

#include <QTableWidgetItem>

class Channel;

// The first cell of every table row: its check mark, the row's channel and the row's shown flag. The item
// is neither user-checkable nor editable, so only the table changes the mark.
class CheckBoxItem : public QTableWidgetItem {
public:
    CheckBoxItem(Channel *channel, bool checked);

    // Not owned: the channel lives in the document's list.
    Channel *channel() const { return m_channel; }
    void setChannel(Channel *channel) { m_channel = channel; }
    bool isShown() const { return m_shown; }
    void setShown(bool shown) { m_shown = shown; }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);

    // The row's tool tip: the text set for the row, or else the channel's description, made when asked for
    // so that a table of thousands of rows neither builds nor keeps a text per row it may never show.
    QVariant data(int role) const override;
    // Every change of the mark passes here, so isChecked() answers from a flag: the mark is read for every
    // row by filters, selections and sorts.
    void setData(int role, const QVariant &value) override;

    // Checked rows sort before unchecked ones; rows in the same state are equal.
    bool operator<(const QTableWidgetItem &other) const override;

private:
    Channel *m_channel;
    bool m_shown = true;
    bool m_checked = false; // always the check state role's value == Qt::Checked
};

#endif
