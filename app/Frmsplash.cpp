#include "Frmsplash.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>

TSplash *Splash = nullptr;

TSplash::TSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(585, 308);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::yellow);
    setPalette(pal);
    picture_ = Picture(size());
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.center() - rect().center());
    }
}

TSplash::~TSplash()
{
    if (Splash == this)
        Splash = nullptr;
}

bool TSplash::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        FormActivate();
    return QWidget::event(e);
}

void TSplash::FormActivate()
{
    // The window's shape is the ellipse inscribed in its client rectangle
    // (headless platforms have no window shapes).
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    setMask(QRegion(0, 0, width(), height(), QRegion::Ellipse));
}

void TSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::yellow);
    // The picture fills the client area, scaled proportionally and centred.
    const QPixmap scaled = picture_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    p.drawPixmap((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
}

QPixmap TSplash::Picture(const QSize &size)
{
    QPixmap pm(size);
    pm.fill(QColor(255, 236, 64));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();

    // Soft rays from the centre.
    QRadialGradient glow(QPointF(w / 2, h / 2), w / 2);
    glow.setColorAt(0, QColor(255, 255, 190));
    glow.setColorAt(1, QColor(255, 220, 40));
    p.fillRect(pm.rect(), glow);

    // The scales of justice.
    const QColor ink(90, 60, 10);
    p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
    const double cx = w * 0.24, top = h * 0.22, beam = w * 0.13;
    p.drawLine(QPointF(cx, top - 8), QPointF(cx, h * 0.74));
    p.drawLine(QPointF(cx - beam, top + 6), QPointF(cx + beam, top + 6));
    p.drawLine(QPointF(cx - beam * 0.7, h * 0.78), QPointF(cx + beam * 0.7, h * 0.78));
    p.drawLine(QPointF(cx - beam * 0.35, h * 0.74), QPointF(cx + beam * 0.35, h * 0.74));
    p.setBrush(ink);
    p.drawEllipse(QPointF(cx, top - 10), 6, 6);
    for (int side : {-1, 1}) {
        const double x = cx + side * beam;
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(x, top + 6), QPointF(x - 22, h * 0.52));
        p.drawLine(QPointF(x, top + 6), QPointF(x + 22, h * 0.52));
        QPainterPath pan;
        pan.moveTo(x - 30, h * 0.52);
        pan.arcTo(QRectF(x - 30, h * 0.52 - 16, 60, 32), 180, 180);
        pan.closeSubpath();
        p.setBrush(QColor(150, 105, 30));
        p.drawPath(pan);
    }

    // The name and a line below it.
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(int(h * 0.2));
    title.setBold(true);
    p.setFont(title);
    p.setPen(ink);
    const QRectF textRect(w * 0.40, h * 0.28, w * 0.55, h * 0.26);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wokandor"));
    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(int(h * 0.065));
    p.setFont(sub);
    p.drawText(QRectF(w * 0.40, h * 0.54, w * 0.55, h * 0.12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Rejestr spraw sądowych kancelarii"));
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(w * 0.40, h * 0.54), QPointF(w * 0.86, h * 0.54));
    return pm;
}
