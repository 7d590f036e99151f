#pragma once

#include "newcase/Partydialog.h"

// The defendants of a new case.
class TPozwanyDodaj : public TPartyDialog {
    Q_OBJECT
public:
    explicit TPozwanyDodaj(QWidget *owner = nullptr);
    ~TPozwanyDodaj() override;
};

extern TPozwanyDodaj *PozwanyDodaj;
