#ifndef COMBOBOX_H
#define COMBOBOX_H

#include <QMap>
#include <QPushButton>

class QAction;
class QMenu;

// A push button with a drop-down menu that chooses one of a list of numbered items. Items are numbered from 0
// in the order they were added and are never removed; a later part of the list can be hidden.
class ComboBox : public QPushButton {
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);

    void addItem(const QString &text);
    int currentIndex() const { return m_currentIndex; }
    // Makes the item current and always reports it, also when it was current already. An index that names no
    // item is ignored.
    void setCurrentIndex(int index);
    // Offers the items below n and hides the others; the current item stays as it is.
    void setVisibleCount(int n);

    int count() const;
    QString itemText(int index) const;
    QMenu *itemMenu() const { return m_menu; }

signals:
    void currentIndexChanged(int index);

public slots:
    void on_triggered(QAction *action);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QMenu *m_menu;
    QMap<QAction *, int> m_items;
    int m_currentIndex = -1;
};

#endif // COMBOBOX_H
