#ifndef ELIDEDLABEL_H
#define ELIDEDLABEL_H

#include "widgets/plaintextlabel.h"

// A one-line plain-text label that shows as much of its text as fits and ends it with "…". Title bars name
// the open file, and a file name can be any length: the label asks for no more than the ellipsis as its
// minimum width, so the window's minimum width never depends on the name. text() keeps the whole text.
class ElidedLabel : public PlainTextLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif // ELIDEDLABEL_H
