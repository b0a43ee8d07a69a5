#include "dialogs/questionrow.h"

#include "widgets/wrappinglabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

QHBoxLayout *QuestionRow::create(const QString &picture, const QString &question) {
    auto *row = new QHBoxLayout;
    row->addSpacing(20);
    auto *pictureLabel = new QLabel;
    pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    pictureLabel->setPixmap(QPixmap(picture));
    row->addWidget(pictureLabel, 0);
    row->addSpacing(20);
    // A channel name can be any length: it wraps rather than widening the dialog.
    auto *questionLabel = new WrappingLabel(question);
    questionLabel->setObjectName(QStringLiteral("questionLabel"));
    row->addWidget(questionLabel, 100);
    // As much room right of the text as left of the picture.
    row->addSpacing(20);
    return row;
}
