#include "Frmpozwanydodaj.h"

TPozwanyDodaj *PozwanyDodaj = nullptr;

TPozwanyDodaj::TPozwanyDodaj(QWidget *owner)
    : TPartyDialog(owner, QStringLiteral("Pozwany"), QStringLiteral("Szczegóły:"))
{
    PozwanyDodaj = this;
}

TPozwanyDodaj::~TPozwanyDodaj()
{
    if (PozwanyDodaj == this)
        PozwanyDodaj = nullptr;
}
