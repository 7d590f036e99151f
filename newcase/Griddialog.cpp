#include "Griddialog.h"

#include "newcase/Entrygrid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QSignalBlocker>

TGridDialog::TGridDialog(QWidget *owner, Qt::WindowFlags flags) : QDialog(owner, flags)
{
}

void TGridDialog::setRowCount(int rows)
{
    if (rows >= 1 && rows <= 100)
        Grid1->setDataRowCount(rows);
}

int TGridDialog::rowCount() const { return Grid1->rowCount(); }

void TGridDialog::setCountText(const QString &text) { eIlosc->setText(text); }
QString TGridDialog::countText() const { return eIlosc->text(); }

void TGridDialog::setBounds(const DialogBounds &bounds)
{
    if (bounds)
        setGeometry(*bounds);
}

QRect TGridDialog::Bounds() const { return geometry(); }

void TGridDialog::setCell(int row, int col, const QString &text) { Grid1->setCellText(row, col, text); }
QString TGridDialog::Cell(int row, int col) const { return Grid1->cellText(row, col); }

void TGridDialog::setRows(int rows)
{
    setRowCount(rows);
    const QSignalBlocker block(eIlosc);
    eIlosc->setText(QString::number(rows));
}

QHBoxLayout *TGridDialog::MakeButtons()
{
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Anuluj"), this);
    // Enter moves through the grid (and the date picker); it must not close the dialog.
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    return buttons;
}
