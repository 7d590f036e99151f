#pragma once

#include <QPixmap>
#include <QWidget>

// The splash window: an oval of 585 x 308 pixels, yellow, without a frame,
// on top of other windows and centred on the screen, shown while start-up runs.
class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget *parent = nullptr);
    ~TSplash() override;

    // The picture of the window, drawn in code (no image file is needed).
    static QPixmap Picture(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void FormActivate();
    QPixmap picture_;
};

extern TSplash *Splash;
