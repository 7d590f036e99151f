#include "Frmnotatkidodaj.h"

TNotatkiDodaj *NotatkiDodaj = nullptr;

TNotatkiDodaj::TNotatkiDodaj(QWidget *parent)
    : TRichTextEditor(QStringLiteral("Notatki"), parent)
{
    setObjectName(QStringLiteral("NotatkiDodaj"));
    NotatkiDodaj = this;
}

TNotatkiDodaj::~TNotatkiDodaj()
{
    if (NotatkiDodaj == this)
        NotatkiDodaj = nullptr;
}
