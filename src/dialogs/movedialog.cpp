#include "dialogs/movedialog.h"

#include "widgets/custommessagebox.h"
#include "widgets/plaintextlabel.h"
#include "widgets/styledspinbox.h"

#include <QHBoxLayout>

MoveDialog::MoveDialog(int minimum, int value, int maximum, QWidget *parent, const QString &title,
                       const QString &text)
    : CustomDialog(parent, title, QDialogButtonBox::Ok | QDialogButtonBox::Cancel) {
    auto *row = new QHBoxLayout;
    row->addWidget(new PlainTextLabel(text), 100);
    m_spinBox = new StyledSpinBox;
    m_spinBox->setWrapping(true);
    // The range first: a value outside the old range would be clamped.
    m_spinBox->setMinimum(minimum);
    m_spinBox->setMaximum(maximum);
    m_spinBox->setValue(value);
    m_spinBox->setAccelerated(true);
    m_spinBox->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_spinBox->setKeyboardTracking(true);
    row->addWidget(m_spinBox, 0);
    setContentLayout(row);
    m_spinBox->setFocus(Qt::OtherFocusReason);
}

void MoveDialog::accept() {
    // Return reaches us with the typed text not yet interpreted, so judge the text itself. An empty field
    // and a text that is no number are both refused: neither names a channel number.
    const QString text = m_spinBox->text().trimmed();
    bool isNumber = false;
    const int number = text.toInt(&isNumber, 10);
    if (isNumber && number >= m_spinBox->minimum() && number <= m_spinBox->maximum()) {
        if (m_spinBox->value() != number)
            m_spinBox->setValue(number);
        QDialog::accept();
        return;
    }
    // The dialog steps out of sight while the message is up, and stays open for another try.
    setWindowOpacity(0.0);
    CustomMessageBox::information(this, tr("Invalid channel number"),
                                  tr("Input channel number is outside of the possible range (%1-%2).")
                                      .arg(m_spinBox->minimum())
                                      .arg(m_spinBox->maximum()),
                                  QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
    setWindowOpacity(1.0);
}
