#include "Frmwynagrodzeniedodaj.h"

TWynagrodzenieDodaj *WynagrodzenieDodaj = nullptr;

TWynagrodzenieDodaj::TWynagrodzenieDodaj(QWidget *owner)
    : TAmountDialog(owner, QStringLiteral("Wynagrodzenie radcy prawnego"), true)
{
    WynagrodzenieDodaj = this;
}

TWynagrodzenieDodaj::~TWynagrodzenieDodaj()
{
    if (WynagrodzenieDodaj == this)
        WynagrodzenieDodaj = nullptr;
}
