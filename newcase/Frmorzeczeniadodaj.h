#pragma once

#include "newcase/Richtexteditor.h"

// The editor of the court's rulings of a case.
class TOrzeczeniaDodaj : public TRichTextEditor {
    Q_OBJECT
public:
    explicit TOrzeczeniaDodaj(QWidget *parent = nullptr);
    ~TOrzeczeniaDodaj() override;
};

extern TOrzeczeniaDodaj *OrzeczeniaDodaj;
