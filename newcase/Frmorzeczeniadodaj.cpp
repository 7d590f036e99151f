#include "Frmorzeczeniadodaj.h"

TOrzeczeniaDodaj *OrzeczeniaDodaj = nullptr;

TOrzeczeniaDodaj::TOrzeczeniaDodaj(QWidget *parent)
    : TRichTextEditor(QStringLiteral("Orzeczenia sądu"), parent)
{
    setObjectName(QStringLiteral("OrzeczeniaDodaj"));
    OrzeczeniaDodaj = this;
}

TOrzeczeniaDodaj::~TOrzeczeniaDodaj()
{
    if (OrzeczeniaDodaj == this)
        OrzeczeniaDodaj = nullptr;
}
