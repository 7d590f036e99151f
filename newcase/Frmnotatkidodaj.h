#pragma once

#include "newcase/Richtexteditor.h"

// The editor of the free notes of a case.
class TNotatkiDodaj : public TRichTextEditor {
    Q_OBJECT
public:
    explicit TNotatkiDodaj(QWidget *parent = nullptr);
    ~TNotatkiDodaj() override;
};

extern TNotatkiDodaj *NotatkiDodaj;
