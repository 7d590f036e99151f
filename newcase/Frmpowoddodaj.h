#pragma once

#include "newcase/Partydialog.h"

// The plaintiffs of a new case.
class TPowodDodaj : public TPartyDialog {
    Q_OBJECT
public:
    explicit TPowodDodaj(QWidget *owner = nullptr);
    ~TPowodDodaj() override;
};

extern TPowodDodaj *PowodDodaj;
