#pragma once

#include <QMainWindow>

// The main window: the register of cases.
class TMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TMain(QWidget *parent = nullptr);
    ~TMain() override;
};

extern TMain *Main;
