#include "dialogs/questionrow.h"

#include "widgets/plaintextlabel.h"

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
    auto *questionLabel = new PlainTextLabel(question);
    questionLabel->setObjectName(QStringLiteral("questionLabel"));
    row->addWidget(questionLabel, 100);
    return row;
}
