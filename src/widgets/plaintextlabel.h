#ifndef PLAINTEXTLABEL_H
#define PLAINTEXTLABEL_H

#include <QLabel>

// A label that always shows its text literally. Channel names and file names come from files the user did not
// write; a QLabel would guess "rich text" for anything that looks like markup and render tags, links or
// images from it, so every label that may show such text is one of these.
class PlainTextLabel : public QLabel {
    Q_OBJECT

public:
    explicit PlainTextLabel(QWidget *parent = nullptr);
    explicit PlainTextLabel(const QString &text, QWidget *parent = nullptr);

    // Puts plain text into any label (for labels made elsewhere, e.g. by a form).
    static void setPlainText(QLabel *label, const QString &text);

protected:
    // What frame, style-sheet padding and margin add around the text, for labels that lay it out themselves.
    QSize chromeSize() const;
    // The rectangle the text is laid out in: the contents less the margin.
    QRect textRoom() const;
};

#endif // PLAINTEXTLABEL_H
