#pragma once

#include "newcase/Entrydialog.h"

// The hearing dates of a new case.
class TTerminyDodaj : public TDatedDialog {
    Q_OBJECT
public:
    explicit TTerminyDodaj(QWidget *owner = nullptr);
    ~TTerminyDodaj() override;
};

extern TTerminyDodaj *TerminyDodaj;
