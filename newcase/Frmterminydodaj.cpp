#include "Frmterminydodaj.h"

TTerminyDodaj *TerminyDodaj = nullptr;

TTerminyDodaj::TTerminyDodaj(QWidget *owner)
    : TDatedDialog(owner, QStringLiteral("Terminy rozpraw"))
{
    TerminyDodaj = this;
}

TTerminyDodaj::~TTerminyDodaj()
{
    if (TerminyDodaj == this)
        TerminyDodaj = nullptr;
}
