#include "Frmpowoddodaj.h"

TPowodDodaj *PowodDodaj = nullptr;

TPowodDodaj::TPowodDodaj(QWidget *owner)
    : TPartyDialog(owner, QStringLiteral("Powód"), QStringLiteral("Szczegóły"))
{
    PowodDodaj = this;
}

TPowodDodaj::~TPowodDodaj()
{
    if (PowodDodaj == this)
        PowodDodaj = nullptr;
}
