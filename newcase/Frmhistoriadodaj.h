#pragma once

#include "newcase/Entrydialog.h"

// The history of the files of a new case.
class THistoriaDodaj : public TDatedDialog {
    Q_OBJECT
public:
    explicit THistoriaDodaj(QWidget *owner = nullptr);
    ~THistoriaDodaj() override;
};

extern THistoriaDodaj *HistoriaDodaj;
