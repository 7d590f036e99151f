// Writes a new Wokandor database filled with realistic cases, for a first
// look at the program and for benchmarks.
//   demodata [--cases N] [--seed S] DATABASE_FILE
// The file must not exist yet; an existing database is never touched.

#include "platform/sql/sql.h"
#include "platform/text/cp1250.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <random>

namespace {

const QStringList kSurnames = {
    QStringLiteral("Nowak"), QStringLiteral("Kowalski"), QStringLiteral("Wiśniewski"), QStringLiteral("Wójcik"),
    QStringLiteral("Kowalczyk"), QStringLiteral("Kamiński"), QStringLiteral("Lewandowski"), QStringLiteral("Zieliński"),
    QStringLiteral("Szymański"), QStringLiteral("Woźniak"), QStringLiteral("Dąbrowski"), QStringLiteral("Kozłowski"),
    QStringLiteral("Jankowski"), QStringLiteral("Mazur"), QStringLiteral("Kwiatkowski"), QStringLiteral("Krawczyk"),
    QStringLiteral("Piotrowski"), QStringLiteral("Grabowski"), QStringLiteral("Nowakowski"), QStringLiteral("Pawłowski"),
    QStringLiteral("Michalski"), QStringLiteral("Nowicki"), QStringLiteral("Adamczyk"), QStringLiteral("Dudek"),
    QStringLiteral("Zając"), QStringLiteral("Wieczorek"), QStringLiteral("Jabłoński"), QStringLiteral("Król"),
    QStringLiteral("Majewski"), QStringLiteral("Olszewski"), QStringLiteral("Jaworski"), QStringLiteral("Wróbel"),
    QStringLiteral("Malinowski"), QStringLiteral("Pawlak"), QStringLiteral("Witkowski"), QStringLiteral("Walczak"),
    QStringLiteral("Stępień"), QStringLiteral("Górski"), QStringLiteral("Rutkowski"), QStringLiteral("Michalak"),
    QStringLiteral("Sikora"), QStringLiteral("Ostrowski"), QStringLiteral("Baran"), QStringLiteral("Duda"),
    QStringLiteral("Szewczyk"), QStringLiteral("Tomaszewski"), QStringLiteral("Pietrzak"), QStringLiteral("Marciniak"),
    QStringLiteral("Wróblewski"), QStringLiteral("Zalewski"), QStringLiteral("Jakubowski"), QStringLiteral("Jasiński"),
    QStringLiteral("Zawadzki"), QStringLiteral("Sadowski"), QStringLiteral("Bąk"), QStringLiteral("Chmielewski"),
    QStringLiteral("Włodarczyk"), QStringLiteral("Borkowski"), QStringLiteral("Czarnecki"), QStringLiteral("Sawicki"),
    QStringLiteral("Sokołowski"), QStringLiteral("Urbański"), QStringLiteral("Kubiak"), QStringLiteral("Maciejewski"),
    QStringLiteral("Szczepański"), QStringLiteral("Kucharski"), QStringLiteral("Wilk"), QStringLiteral("Kalinowski"),
    QStringLiteral("Lis"), QStringLiteral("Mazurek"), QStringLiteral("Wysocki"), QStringLiteral("Adamski"),
    QStringLiteral("Kaźmierczak"), QStringLiteral("Wasilewski"), QStringLiteral("Sobczak"), QStringLiteral("Czerwiński"),
    QStringLiteral("Andrzejewski"), QStringLiteral("Cieślak"), QStringLiteral("Głowacki"), QStringLiteral("Zakrzewski"),
    QStringLiteral("Kołodziej"), QStringLiteral("Sikorski"), QStringLiteral("Krajewski"), QStringLiteral("Gajewski"),
    QStringLiteral("Szulc"), QStringLiteral("Szymczak"), QStringLiteral("Baranowski"), QStringLiteral("Laskowski"),
    QStringLiteral("Brzeziński"), QStringLiteral("Makowski"), QStringLiteral("Ziółkowski"), QStringLiteral("Przybylski"),
    QStringLiteral("Żak"), QStringLiteral("Łukasik"), QStringLiteral("Śliwiński"), QStringLiteral("Źródło"),
};

const QStringList kMen = {
    QStringLiteral("Jan"), QStringLiteral("Piotr"), QStringLiteral("Krzysztof"), QStringLiteral("Andrzej"),
    QStringLiteral("Tomasz"), QStringLiteral("Paweł"), QStringLiteral("Michał"), QStringLiteral("Marcin"),
    QStringLiteral("Grzegorz"), QStringLiteral("Józef"), QStringLiteral("Łukasz"), QStringLiteral("Adam"),
    QStringLiteral("Zbigniew"), QStringLiteral("Jerzy"), QStringLiteral("Tadeusz"), QStringLiteral("Mateusz"),
    QStringLiteral("Dariusz"), QStringLiteral("Mariusz"), QStringLiteral("Wojciech"), QStringLiteral("Ryszard"),
    QStringLiteral("Kazimierz"), QStringLiteral("Henryk"), QStringLiteral("Stanisław"), QStringLiteral("Bartłomiej"),
};
const QStringList kWomen = {
    QStringLiteral("Anna"), QStringLiteral("Maria"), QStringLiteral("Katarzyna"), QStringLiteral("Małgorzata"),
    QStringLiteral("Agnieszka"), QStringLiteral("Barbara"), QStringLiteral("Ewa"), QStringLiteral("Krystyna"),
    QStringLiteral("Elżbieta"), QStringLiteral("Zofia"), QStringLiteral("Teresa"), QStringLiteral("Magdalena"),
    QStringLiteral("Joanna"), QStringLiteral("Jadwiga"), QStringLiteral("Danuta"), QStringLiteral("Halina"),
    QStringLiteral("Irena"), QStringLiteral("Beata"), QStringLiteral("Aleksandra"), QStringLiteral("Dorota"),
    QStringLiteral("Jolanta"), QStringLiteral("Grażyna"), QStringLiteral("Urszula"), QStringLiteral("Bożena"),
};

const QStringList kCompanies = {
    QStringLiteral("Spółdzielnia Mieszkaniowa \"Przyszłość\""), QStringLiteral("Zarząd Budynków Komunalnych"),
    QStringLiteral("Przedsiębiorstwo Gospodarki Mieszkaniowej"), QStringLiteral("Wspólnota Mieszkaniowa Różana 5"),
    QStringLiteral("Towarzystwo Budownictwa Społecznego"), QStringLiteral("Miejski Zakład Gospodarki Lokalami"),
    QStringLiteral("PGE Obrót S.A."), QStringLiteral("Energa-Obrót S.A."), QStringLiteral("Wodociągi Miejskie sp. z o.o."),
    QStringLiteral("Ciepłownia Północ sp. z o.o."), QStringLiteral("Zakład Usług Komunalnych"),
    QStringLiteral("Spółdzielnia Mieszkaniowa \"Śródmieście\""), QStringLiteral("Agencja Mienia Wojskowego"),
    QStringLiteral("Gminny Zasób Nieruchomości"), QStringLiteral("Żegluga Gdańska sp. z o.o."),
    QStringLiteral("Biuro Rachunkowe Łukasz i Wspólnicy"), QStringLiteral("Hurtownia Spożywcza \"Kłos\" s.c."),
};

const QStringList kStreets = {
    QStringLiteral("ul. Długa"), QStringLiteral("ul. Krótka"), QStringLiteral("ul. Mickiewicza"), QStringLiteral("ul. Słowackiego"),
    QStringLiteral("ul. Kościuszki"), QStringLiteral("ul. Piłsudskiego"), QStringLiteral("ul. Żeromskiego"),
    QStringLiteral("ul. Świętojańska"), QStringLiteral("ul. Grunwaldzka"), QStringLiteral("al. Zwycięstwa"),
    QStringLiteral("ul. Łąkowa"), QStringLiteral("ul. Ogrodowa"), QStringLiteral("ul. Polna"), QStringLiteral("ul. Leśna"),
    QStringLiteral("ul. Kwiatowa"), QStringLiteral("ul. Różana"), QStringLiteral("ul. Źródlana"), QStringLiteral("ul. Wąska"),
    QStringLiteral("ul. Szeroka"), QStringLiteral("ul. Chopina"), QStringLiteral("ul. Reymonta"), QStringLiteral("ul. Sienkiewicza"),
    QStringLiteral("ul. Jagiellońska"), QStringLiteral("ul. Piastowska"), QStringLiteral("ul. Wyszyńskiego"),
    QStringLiteral("os. Kaszubskie"), QStringLiteral("pl. Wolności"), QStringLiteral("ul. Ślusarska"),
};

const QStringList kTowns = {
    QStringLiteral("Gdańsk"), QStringLiteral("Gdynia"), QStringLiteral("Sopot"), QStringLiteral("Pruszcz Gdański"),
    QStringLiteral("Rumia"), QStringLiteral("Reda"), QStringLiteral("Wejherowo"), QStringLiteral("Kartuzy"),
    QStringLiteral("Żukowo"), QStringLiteral("Tczew"), QStringLiteral("Malbork"), QStringLiteral("Starogard Gdański"),
    QStringLiteral("Łódź"), QStringLiteral("Kraków"), QStringLiteral("Poznań"), QStringLiteral("Wrocław"),
    QStringLiteral("Toruń"), QStringLiteral("Słupsk"), QStringLiteral("Kościerzyna"), QStringLiteral("Lębork"),
};

const QStringList kKinds = {
    QStringLiteral("Eksmisja"), QStringLiteral("Zapłata czynszu"), QStringLiteral("Zapłata"),
    QStringLiteral("Opróżnienie lokalu"), QStringLiteral("Ustalenie stosunku najmu"), QStringLiteral("Odszkodowanie"),
    QStringLiteral("Nakaz zapłaty"), QStringLiteral("Zasiedzenie"), QStringLiteral("Wydanie nieruchomości"),
    QStringLiteral("Zniesienie współwłasności"), QStringLiteral("Naruszenie posiadania"), QStringLiteral("Egzekucja"),
    QStringLiteral("Zapłata za media"), QStringLiteral("Uchylenie uchwały wspólnoty"),
};

const QStringList kTermNotes = {
    QStringLiteral("rozprawa"), QStringLiteral("posiedzenie niejawne"), QStringLiteral("ogłoszenie wyroku"),
    QStringLiteral("przesłuchanie świadków"), QStringLiteral("sala 214"), QStringLiteral("sala 12, I piętro"),
    QStringLiteral("odroczona"), QStringLiteral("mediacja"), QString(), QStringLiteral("biegły - opinia"),
};
const QStringList kHistoryNotes = {
    QStringLiteral("pozew złożony"), QStringLiteral("wpłata wpisu"), QStringLiteral("odpis pozwu doręczony"),
    QStringLiteral("akta przekazane do SR"), QStringLiteral("wyrok zaoczny"), QStringLiteral("klauzula wykonalności"),
    QStringLiteral("wniosek o uzasadnienie"), QStringLiteral("apelacja"), QStringLiteral("akta zwrócone"),
    QStringLiteral("zażalenie"),
};
const QStringList kCostNotes = {
    QStringLiteral("wpis od pozwu"), QStringLiteral("opłata kancelaryjna"), QStringLiteral("zaliczka na biegłego"),
    QStringLiteral("koszty dojazdu"), QStringLiteral("opłata skarbowa"), QStringLiteral("znaczki pocztowe"), QString(),
};
const QStringList kFeeNotes = {
    QStringLiteral("wynagrodzenie"), QStringLiteral("zaliczka"), QStringLiteral("korekta faktury"),
    QStringLiteral("zwrot nadpłaty"), QStringLiteral("premia za wynik"), QString(),
};
const QStringList kDepartments = {
    QStringLiteral("I C"), QStringLiteral("II C"), QStringLiteral("I Nc"), QStringLiteral("IX GC"),
    QStringLiteral("XV C"), QStringLiteral("I Co"), QStringLiteral("KM"), QStringLiteral("II Ca"),
};

const char *kRulingTexts[] = {
    "Sąd Rejonowy zasądził od pozwanego na rzecz powoda kwotę wraz z ustawowymi odsetkami.",
    "Nakazano pozwanym opróżnienie i wydanie lokalu w terminie 30 dni.",
    "Postępowanie zawieszone do czasu zakończenia sprawy spadkowej.",
    "Wyrok zaoczny; pozwany nie stawił się na rozprawę.",
    "Oddalono powództwo w części dotyczącej odsetek.",
    "Przyznano prawo do lokalu socjalnego.",
};
const char *kNoteTexts[] = {
    "Pozwany deklaruje spłatę w ratach - czekać na propozycję ugody.",
    "Zadzwonić do administracji budynku w sprawie stanu licznika.",
    "Klient prosi o kontakt wyłącznie mailowy.",
    "Sprawdzić w KW, czy nie ma nowych wpisów.",
    "Świadek: sąsiadka z mieszkania nr 4, pani Zofia.",
};

// The document as the rich-text editors store it: RTF with Windows-1250 escapes.
QByteArray rtfEscape(const QString &s)
{
    QByteArray out;
    for (QChar c : s) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x80) {
            out += char(u);
        } else {
            // As a Windows rich-edit control writes Polish text: a hex escape of
            // the Windows-1250 byte, or a Unicode escape with a "?" fallback.
            unsigned char b;
            if (text::toByte(u, b))
                out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            else
                out += "\\u" + QByteArray::number(short(u)) + "?";
        }
    }
    return out;
}

QByteArray rtfDocument(std::mt19937 &rng, const char *const *texts, int count)
{
    std::uniform_int_distribution<int> pick(0, count - 1);
    QByteArray doc = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}"
                     "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0\\blue255;}\n";
    const int paragraphs = 1 + int(rng() % 3);
    for (int p = 0; p < paragraphs; ++p) {
        const QString t = QString::fromUtf8(texts[pick(rng)]);
        const QStringList words = t.split(QLatin1Char(' '));
        doc += "\\pard\\plain\\f0\\fs20 ";
        for (int i = 0; i < words.size(); ++i) {
            const int style = int(rng() % 12);
            QByteArray w = rtfEscape(words[i]);
            if (style == 0)
                w = "{\\b " + w + "}";
            else if (style == 1)
                w = "{\\ul " + w + "}";
            else if (style == 2)
                w = "{\\i " + w + "}";
            else if (style == 3)
                w = "{\\cf2 " + w + "}";
            else if (style == 4)
                w = "{\\fs26 " + w + "}";
            doc += w;
            if (i + 1 < words.size())
                doc += ' ';
        }
        doc += "\\par\n";
    }
    doc += "}";
    return doc;
}

} // namespace

int main(int argc, char **argv)
{
    int cases = 300;
    unsigned seed = 2006;
    QString path;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--cases" && i + 1 < argc)
            cases = std::atoi(argv[++i]);
        else if (a == "--seed" && i + 1 < argc)
            seed = unsigned(std::atol(argv[++i]));
        else if (!a.startsWith("--"))
            path = QString::fromLocal8Bit(a);
        else {
            std::fprintf(stderr, "usage: demodata [--cases N] [--seed S] DATABASE_FILE\n");
            return 2;
        }
    }
    if (path.isEmpty() || cases < 0) {
        std::fprintf(stderr, "usage: demodata [--cases N] [--seed S] DATABASE_FILE\n");
        return 2;
    }
    path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "demodata: %s already exists; it is left as it is\n", qPrintable(path));
        return 1;
    }
    QFile schemaFile(QStringLiteral(WOKANDOR_SCHEMA));
    if (!schemaFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "demodata: cannot read %s\n", WOKANDOR_SCHEMA);
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QDir().mkpath(QFileInfo(path).absolutePath());
    try {
        sql::Connection::createDatabase(path, QString::fromUtf8(schemaFile.readAll()));
        sql::Connection db;
        db.setDatabaseName(path);
        const QStringList params = {QStringLiteral("user_name=SYSDBA"), QStringLiteral("password=plumbcoat"),
                                    QStringLiteral("lc_ctype=WIN1250")};
        // The bulk load writes without waiting for the disk; the finished file
        // is switched back to forced writes below.
        db.setParams(params + QStringList{QStringLiteral("force_write=0")});
        db.open();
        sql::Transaction t(&db);
        t.setParams({QStringLiteral("concurrency"), QStringLiteral("nowait")});

        auto prepared = [&](const QStringList &lines) {
            auto q = std::make_unique<sql::Query>(&db, &t);
            q->setSql(lines);
            q->prepare();
            return q;
        };
        auto qCase = prepared({QStringLiteral("INSERT INTO Sprawy (Lp, ZO, ZOLp, Rejon, Powod, Pozwany, Adres, Miejscowosc,"),
                               QStringLiteral("Rodzaj_sprawy, Wartosc_sprawy, Sygnatura1, Sygnatura2, Sygnatura3,"),
                               QStringLiteral("PowodFirma, PozwanyFirma, Data_komornika) VALUES (:Lp, :ZO, :ZOLp, :Rejon,"),
                               QStringLiteral(":Powod, :Pozwany, :Adres, :Miejscowosc, :Rodzaj, :Wartosc, :S1, :S2, :S3,"),
                               QStringLiteral(":PF, :ZF, :DK)")});
        auto qDated = [&](const char *table) {
            return prepared({QStringLiteral("INSERT INTO %1 (Lp, Lp_Sprawy, Data, Notka) VALUES (:Lp, :Lp_Sprawy, :Data, :Notka)")
                                 .arg(QLatin1String(table))});
        };
        auto qAmount = [&](const char *table) {
            return prepared({QStringLiteral("INSERT INTO %1 (Lp, Lp_Sprawy, Kwota, Data, Notka) VALUES (:Lp, :Lp_Sprawy, :Kwota, :Data, :Notka)")
                                 .arg(QLatin1String(table))});
        };
        auto qParty = [&](const char *table) {
            return prepared({QStringLiteral("INSERT INTO %1 (Lp, Lp_Sprawy, Nazwa, Nazwisko, Imie) VALUES (:Lp, :Lp_Sprawy, :Nazwa, :Nazwisko, :Imie)")
                                 .arg(QLatin1String(table))});
        };
        auto qTerminy = qDated("Terminy"), qHistoria = qDated("Historia_akt");
        auto qKoszty = qAmount("Koszty"), qWynagrodzenie = qAmount("Wynagrodzenie");
        auto qPowods = qParty("Powods"), qPozwani = qParty("Pozwani");
        auto qSzczegoly = prepared({QStringLiteral("INSERT INTO Szczegoly (Lp_Sprawy, Notatki, Orzeczenia) VALUES (:Lp_Sprawy, :Notatki, :Orzeczenia)")});

        std::mt19937 rng(seed);
        auto pick = [&rng](const QStringList &l) { return l[int(rng() % unsigned(l.size()))]; };
        auto chance = [&rng](int percent) { return int(rng() % 100) < percent; };
        auto amount = [&rng](int maxZloty, bool allowNegative) {
            long long grosze = (long long)(rng() % unsigned(maxZloty)) * 100 + (rng() % 4 == 0 ? rng() % 100 : 0);
            if (allowNegative && rng() % 8 == 0)
                grosze = -grosze;
            return QString::asprintf("%s%lld.%02lld", grosze < 0 ? "-" : "", std::llabs(grosze) / 100, std::llabs(grosze) % 100);
        };
        long long keyTerminy = 0, keyHistoria = 0, keyKoszty = 0, keyWynagrodzenie = 0, keyPowods = 0, keyPozwani = 0;

        // Case numbers run per year; years from 1995 to 2026.
        const int years = 32;
        const int perYear = std::max(1, (cases + years - 1) / years);
        for (int n = 0; n < cases; ++n) {
            const int yearIndex = n / perYear;
            const int number = n % perYear + 1;
            const int year = 1995 + yearIndex;
            const int yy = year % 100;
            const QString lp = QString::number(n + 1);
            const bool suffix = chance(3);
            const QString zo = QStringLiteral("%1/%2%3").arg(number).arg(yy, 2, 10, QLatin1Char('0')).arg(suffix ? QStringLiteral("i") : QString());
            const int y = yy <= 90 ? yy + 200 : yy + 100;
            const QDate start(year, 1 + int(rng() % 12), 1 + int(rng() % 28));

            auto person = [&](sql::Query &q, long long &key, bool company, QStringList &names) {
                q.setParam(QStringLiteral("Lp"), QString::number(++key));
                q.setParam(QStringLiteral("Lp_Sprawy"), lp);
                const bool woman = chance(45);
                QString surname = pick(kSurnames);
                if (woman && surname.endsWith(QStringLiteral("ski")))
                    surname.chop(1), surname += QLatin1Char('a');
                else if (woman && surname.endsWith(QStringLiteral("cki")))
                    surname.chop(1), surname += QLatin1Char('a');
                const QString first = woman ? pick(kWomen) : pick(kMen);
                const QString name = company ? pick(kCompanies) : QString();
                q.setParam(QStringLiteral("Nazwa"), name);
                q.setParam(QStringLiteral("Nazwisko"), company && chance(50) ? QString() : surname);
                q.setParam(QStringLiteral("Imie"), company && chance(50) ? QString() : first);
                q.execute();
                names << (company ? name : surname + QLatin1Char(' ') + first);
            };
            auto display = [](const QStringList &names) {
                QString s = names.join(QStringLiteral(", "));
                if (s.size() > 100)
                    s = s.left(97) + QStringLiteral("...");
                return s;
            };

            QStringList powod, pozwany;
            const bool powodFirma = chance(60);
            const bool pozwanyFirma = chance(8);
            const int nPowod = 1 + (chance(15) ? 1 : 0);
            const int nPozwany = 1 + int(rng() % 3);
            for (int i = 0; i < nPowod; ++i)
                person(*qPowods, keyPowods, powodFirma, powod);
            for (int i = 0; i < nPozwany; ++i)
                person(*qPozwani, keyPozwani, pozwanyFirma, pozwany);

            sql::Query &c = *qCase;
            c.setParam(QStringLiteral("Lp"), lp);
            c.setParam(QStringLiteral("ZO"), zo);
            c.setParam(QStringLiteral("ZOLp"), QString::number(y * 10000 + number));
            c.setParam(QStringLiteral("Rejon"), chance(55) ? QString::number(rng() % 16) : QString());
            c.setParam(QStringLiteral("Powod"), display(powod));
            c.setParam(QStringLiteral("Pozwany"), display(pozwany));
            c.setParam(QStringLiteral("Adres"), QStringLiteral("%1 %2/%3").arg(pick(kStreets)).arg(1 + rng() % 120).arg(1 + rng() % 60));
            c.setParam(QStringLiteral("Miejscowosc"), chance(97) ? pick(kTowns) : QString());
            c.setParam(QStringLiteral("Rodzaj"), pick(kKinds));
            c.setParam(QStringLiteral("Wartosc"), chance(85) ? amount(60000, false) : QString());
            const QString dept = pick(kDepartments);
            c.setParam(QStringLiteral("S1"), QStringLiteral("%1 %2/%3").arg(dept).arg(1 + rng() % 3000).arg(yy, 2, 10, QLatin1Char('0')));
            c.setParam(QStringLiteral("S2"), chance(35) ? QStringLiteral("%1 %2/%3").arg(pick(kDepartments)).arg(1 + rng() % 900).arg(yy, 2, 10, QLatin1Char('0')) : QString());
            c.setParam(QStringLiteral("S3"), chance(10) ? QStringLiteral("KM %1/%2").arg(1 + rng() % 5000).arg(yy, 2, 10, QLatin1Char('0')) : QString());
            c.setParam(QStringLiteral("PF"), powodFirma ? QStringLiteral("T") : QStringLiteral("N"));
            c.setParam(QStringLiteral("ZF"), pozwanyFirma ? QStringLiteral("T") : QStringLiteral("N"));
            const bool bailiff = chance(20);
            c.setParam(QStringLiteral("DK"), bailiff ? start.addDays(200 + rng() % 500).toString(QStringLiteral("yyyy-MM-dd")) : QString());
            c.execute();

            auto dated = [&](sql::Query &q, long long &key, int count, const QStringList &notes) {
                QDate d = start;
                for (int i = 0; i < count; ++i) {
                    d = d.addDays(14 + rng() % 90);
                    q.setParam(QStringLiteral("Lp"), QString::number(++key));
                    q.setParam(QStringLiteral("Lp_Sprawy"), lp);
                    q.setParam(QStringLiteral("Data"), d.toString(QStringLiteral("yyyy-MM-dd")));
                    q.setParam(QStringLiteral("Notka"), pick(notes));
                    q.execute();
                }
            };
            auto amounts = [&](sql::Query &q, long long &key, int count, const QStringList &notes, int maxZloty, bool negative) {
                QDate d = start;
                for (int i = 0; i < count; ++i) {
                    d = d.addDays(7 + rng() % 60);
                    q.setParam(QStringLiteral("Lp"), QString::number(++key));
                    q.setParam(QStringLiteral("Lp_Sprawy"), lp);
                    q.setParam(QStringLiteral("Kwota"), amount(maxZloty, negative));
                    q.setParam(QStringLiteral("Data"), d.toString(QStringLiteral("yyyy-MM-dd")));
                    q.setParam(QStringLiteral("Notka"), pick(notes));
                    q.execute();
                }
            };
            dated(*qTerminy, keyTerminy, 1 + int(rng() % 4), kTermNotes);
            dated(*qHistoria, keyHistoria, int(rng() % 4), kHistoryNotes);
            amounts(*qKoszty, keyKoszty, int(rng() % 3), kCostNotes, 2000, false);
            amounts(*qWynagrodzenie, keyWynagrodzenie, int(rng() % 3), kFeeNotes, 5000, true);

            sql::Query &s = *qSzczegoly;
            s.setParam(QStringLiteral("Lp_Sprawy"), lp);
            if (chance(60))
                s.setParamBlob(QStringLiteral("Orzeczenia"), rtfDocument(rng, kRulingTexts, int(std::size(kRulingTexts))));
            else
                s.setParamNull(QStringLiteral("Orzeczenia"));
            if (chance(40))
                s.setParamBlob(QStringLiteral("Notatki"), rtfDocument(rng, kNoteTexts, int(std::size(kNoteTexts))));
            else
                s.setParamNull(QStringLiteral("Notatki"));
            s.execute();
        }

        // The generators continue after the keys used here.
        sql::Query g(&db, &t);
        const std::pair<const char *, long long> gens[] = {
            {"G_SPRAWY", cases}, {"G_TERMINY", keyTerminy}, {"G_Historia_akt", keyHistoria}, {"G_Koszty", keyKoszty},
            {"G_Wynagrodzenie", keyWynagrodzenie}, {"G_Powods", keyPowods}, {"G_Pozwani", keyPozwani},
        };
        for (const auto &[name, value] : gens) {
            g.setSql({QStringLiteral("SET GENERATOR %1 TO %2").arg(QLatin1String(name)).arg(value)});
            g.execute();
        }
        t.commit();
        db.close();
        db.setParams(params + QStringList{QStringLiteral("force_write=1")});
        db.open();
        db.close();
    } catch (const sql::Error &e) {
        std::fprintf(stderr, "demodata: %s\n", e.message().toLocal8Bit().constData());
        QFile::remove(path);
        return 1;
    }
    std::printf("demodata: %d cases written to %s in %.1f s\n", cases, qPrintable(path), clock.elapsed() / 1000.0);
    return 0;
}
