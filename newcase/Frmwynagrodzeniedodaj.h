#pragma once

#include "newcase/Entrydialog.h"

// The legal counsel's fees of a new case; an amount may be negative.
class TWynagrodzenieDodaj : public TAmountDialog {
    Q_OBJECT
public:
    explicit TWynagrodzenieDodaj(QWidget *owner = nullptr);
    ~TWynagrodzenieDodaj() override;
};

extern TWynagrodzenieDodaj *WynagrodzenieDodaj;
