#ifndef QUESTIONROW_H
#define QUESTIONROW_H

#include <QString>

class QHBoxLayout;

// The contents row of the confirmation dialogs: a picture and the question beside it.
class QuestionRow {
public:
    // A new layout without parent; the dialog that installs it owns it. The question is shown as plain text.
    static QHBoxLayout *create(const QString &picture, const QString &question);
};

#endif // QUESTIONROW_H
