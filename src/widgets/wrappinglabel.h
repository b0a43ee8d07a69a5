#ifndef WRAPPINGLABEL_H
#define WRAPPINGLABEL_H

#include "widgets/plaintextlabel.h"

// A plain-text label for texts that carry a file or channel name. Its lines wrap, and a word wider than the
// label (a long name without spaces) is broken anywhere instead of widening the label: the label never asks
// for a minimum width above widestMinimum, so no dialog's minimum width depends on a name. Up to that width
// it asks for what a QLabel would (its longest line, or with word wrap its longest word), so ordinary texts
// keep their look. text() keeps the whole text.
class WrappingLabel : public PlainTextLabel {
    Q_OBJECT

public:
    static constexpr int widestMinimum = 400;

    explicit WrappingLabel(const QString &text, QWidget *parent = nullptr);

    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Lays the text out in lines no wider than textWidth and returns its height; draws it when a painter is
    // given.
    int layOutText(int textWidth, QPainter *painter = nullptr, const QPointF &origin = QPointF()) const;
};

#endif // WRAPPINGLABEL_H
