#include "Frmkosztdodaj.h"

TKosztDodaj *KosztDodaj = nullptr;

TKosztDodaj::TKosztDodaj(QWidget *owner)
    : TAmountDialog(owner, QStringLiteral("Koszt prowadzenia sprawy"), false)
{
    KosztDodaj = this;
}

TKosztDodaj::~TKosztDodaj()
{
    if (KosztDodaj == this)
        KosztDodaj = nullptr;
}
