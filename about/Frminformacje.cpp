#include "Frminformacje.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TInformacje *Informacje = nullptr;

namespace {
const QString kSupplier = QStringLiteral("Velmo Software");
const QString kAddress = QStringLiteral("ul. Grunwaldzka 12, 80-236 Gdańsk");
const QString kPhone = QStringLiteral("tel. 58 123 45 67");
const QString kWeb = QStringLiteral("https://www.example.pl");
const QString kMail = QStringLiteral("biuro@example.pl");
}

QUrl TInformacje::WebPage()
{
    return QUrl(kWeb);
}

QUrl TInformacje::Mail()
{
    return QUrl(QStringLiteral("mailto:") + kMail);
}

TInformacje::TInformacje(QWidget *owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Informacje"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(6);

    lbNazwa = new QLabel(QStringLiteral("Wokandor"), this);
    QFont big = lbNazwa->font();
    big.setPixelSize(28);
    big.setBold(true);
    lbNazwa->setFont(big);
    lbNazwa->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbNazwa);

    auto *purpose = new QLabel(QStringLiteral("Rejestr spraw sądowych kancelarii"), this);
    purpose->setAlignment(Qt::AlignCenter);
    layout->addWidget(purpose);

    lbWersja = new QLabel(QStringLiteral("Wersja ") + QStringLiteral(WOKANDOR_VERSION), this);
    lbWersja->setAlignment(Qt::AlignCenter);
    layout->addWidget(lbWersja);

    layout->addSpacing(12);
    auto *supplier = new QLabel(QStringLiteral("Producent:\n") + kSupplier + QLatin1Char('\n') + kAddress +
                                    QLatin1Char('\n') + kPhone,
                                this);
    supplier->setAlignment(Qt::AlignCenter);
    layout->addWidget(supplier);

    auto link = [this](const QString &href, const QString &text) {
        auto *label = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text.toHtmlEscaped()), this);
        label->setTextFormat(Qt::RichText);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        label->setOpenExternalLinks(false);
        label->setAlignment(Qt::AlignCenter);
        connect(label, &QLabel::linkActivated, this, &TInformacje::LinkActivated);
        return label;
    };
    lbStrona = link(WebPage().toString(), QStringLiteral("www.example.pl"));
    lbEmail = link(Mail().toString(), kMail);
    layout->addWidget(lbStrona);
    layout->addWidget(lbEmail);

    layout->addSpacing(12);
    auto *buttons = new QHBoxLayout;
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addStretch();
    layout->addLayout(buttons);

    setFixedSize(sizeHint().expandedTo(QSize(340, 0)));
}

TInformacje::~TInformacje()
{
    if (Informacje == this)
        Informacje = nullptr;
}

void TInformacje::LinkActivated(const QString &link)
{
    // The desktop's own browser or mail program.
    QDesktopServices::openUrl(QUrl(link));
}
