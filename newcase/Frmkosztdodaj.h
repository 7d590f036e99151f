#pragma once

#include "newcase/Entrydialog.h"

// The costs of conducting a new case; amounts are not negative.
class TKosztDodaj : public TAmountDialog {
    Q_OBJECT
public:
    explicit TKosztDodaj(QWidget *owner = nullptr);
    ~TKosztDodaj() override;
};

extern TKosztDodaj *KosztDodaj;
