#include "Griddialog.h"

#include "newcase/Entrygrid.h"

#include <QLineEdit>
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
