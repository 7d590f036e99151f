#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;

// The about window: the product, its version and who supplies it, with a
// link to the supplier's web page and one that starts a new e-mail.
class TInformacje : public QDialog {
    Q_OBJECT
public:
    explicit TInformacje(QWidget *owner = nullptr);
    ~TInformacje() override;

    static QUrl WebPage();
    static QUrl Mail();

    QLabel *lbNazwa = nullptr;
    QLabel *lbWersja = nullptr;
    QLabel *lbStrona = nullptr;
    QLabel *lbEmail = nullptr;
    QPushButton *btnOK = nullptr;

private:
    void LinkActivated(const QString &link);
};

extern TInformacje *Informacje;
