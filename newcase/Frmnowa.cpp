#include "Frmnowa.h"

TNowa *Nowa = nullptr;

TNowa::TNowa(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Nowa sprawa"));
}

TNowa::~TNowa()
{
    if (Nowa == this)
        Nowa = nullptr;
}
