#include "widgets/combobox.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionButton>

ComboBox::ComboBox(QWidget *parent) : QPushButton(parent) {
    m_menu = new QMenu(this);
    setMenu(m_menu);
    connect(m_menu, &QMenu::triggered, this, &ComboBox::on_triggered);
}

void ComboBox::addItem(const QString &text) {
    const int index = m_menu->actions().size();
    QAction *action = m_menu->addAction(text);
    m_items.insert(action, index);
    if (index == 0) {
        m_currentIndex = 0;
        setText(text);
    }
}

int ComboBox::count() const {
    return m_menu->actions().size();
}

QString ComboBox::itemText(int index) const {
    const QList<QAction *> actions = m_menu->actions();
    if (index < 0 || index >= actions.size())
        return QString();
    return actions.at(index)->text();
}

void ComboBox::setCurrentIndex(int index) {
    const QList<QAction *> actions = m_menu->actions();
    if (index < 0 || index >= actions.size())
        return;
    QAction *action = actions.at(index);
    m_menu->setActiveAction(action);
    m_currentIndex = index;
    setText(action->text());
    emit currentIndexChanged(index);
}

void ComboBox::setVisibleCount(int n) {
    for (auto it = m_items.constBegin(); it != m_items.constEnd(); ++it)
        it.key()->setVisible(it.value() < n);
}

void ComboBox::on_triggered(QAction *action) {
    const auto it = m_items.constFind(action);
    if (it == m_items.constEnd())
        return;
    setText(action->text());
    m_currentIndex = it.value();
    emit currentIndexChanged(m_currentIndex);
}

void ComboBox::paintEvent(QPaintEvent *) {
    // Drawn as a plain button: the look comes from the style sheet, which brings its own arrow, and the focus
    // frame would cover it.
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.features &= ~QStyleOptionButton::HasMenu;
    option.state &= ~QStyle::State_HasFocus;
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
}
