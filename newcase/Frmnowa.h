#pragma once

#include <QDialog>
#include <QString>

// The new-case window. (Its controls, validation and save are being built.)
class TNowa : public QDialog {
    Q_OBJECT
public:
    explicit TNowa(QWidget *owner = nullptr);
    ~TNowa() override;

    // The key drawn for the case by the last save attempt, empty if none.
    QString NewCaseLp;
};

extern TNowa *Nowa;
