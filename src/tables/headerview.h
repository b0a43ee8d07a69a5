#ifndef HEADERVIEW_H
#define HEADERVIEW_H

#include <QHeaderView>
#include <QList>
#include <QMap>

class Grid;
class QAction;

// The horizontal header of every channel table: the check-all box in the first section, the right-click
// menu with the column configuration and the sort entries, recorded minimum section widths, and its own
// painting of the sorted section.
class HeaderView : public QHeaderView {
    Q_OBJECT

public:
    // One column as the configuration dialog returns it, in the new order.
    struct ColumnChoice {
        int id;
        bool visible;
    };

    HeaderView(Qt::Orientation orientation, QWidget *parent);

    // 2 all checked, 1 some checked, anything else none checked.
    void setCheckState(int state);
    int checkState() const { return m_checkState; }
    void setSectionMinimumSize(int section, int size);
    // The recorded minimum width of a section; 0 when none is recorded.
    int sectionMinimumSize(int section) const { return m_minimumSizes.value(section, 0); }
    // The section under the pointer at the last right-button press.
    int menuSection() const { return m_menuSection; }
    // True when the point (header coordinates) lies in the check-all box of the first section.
    bool isInCheckBox(const QPoint &pos) const;

    // Applies a column order and visibility chosen by the user (the check column is never part of it).
    void applyColumnChoices(const QList<ColumnChoice> &choices);

    QAction *configureAction() const { return m_configure; }
    QAction *ascendingAction() const { return m_ascending; }
    QAction *descendingAction() const { return m_descending; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

public slots:
    void on_configure_triggered(bool checked);
    void on_ascending_triggered(bool checked);
    void on_descending_triggered(bool checked);
    void on_sectionResized(int logicalIndex, int oldSize, int newSize);
    void on_sectionClicked(int logicalIndex);

private:
    Grid *grid() const;
    void toggleCheckBox();
    void sortMenuSection(Qt::SortOrder order);

    QAction *m_configure;
    QAction *m_ascending;
    QAction *m_descending;
    QAction *m_separator;
    int m_menuSection = -1;
    QMap<int, int> m_minimumSizes;
    int m_checkState = -1;
};

#endif
