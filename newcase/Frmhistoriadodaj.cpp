#include "Frmhistoriadodaj.h"

THistoriaDodaj *HistoriaDodaj = nullptr;

THistoriaDodaj::THistoriaDodaj(QWidget *owner)
    : TDatedDialog(owner, QStringLiteral("Historia akt"))
{
    HistoriaDodaj = this;
}

THistoriaDodaj::~THistoriaDodaj()
{
    if (HistoriaDodaj == this)
        HistoriaDodaj = nullptr;
}
