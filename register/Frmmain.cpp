#include "Frmmain.h"

TMain *Main = nullptr;

TMain::TMain(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Wokandor"));
    resize(737, 546);
}

TMain::~TMain()
{
    if (Main == this)
        Main = nullptr;
}
