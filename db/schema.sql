/* Wokandor: the register of court cases of a law office.
   SQL dialect 3; the database's default character set is WIN1250.
   Texts sort in Polish order (collation PXW_PLK); comparisons stay exact. */

CREATE DOMAIN D_TEXT_1   AS VARCHAR(1)   CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_8   AS VARCHAR(8)   CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_20  AS VARCHAR(20)  CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_25  AS VARCHAR(25)  CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_30  AS VARCHAR(30)  CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_40  AS VARCHAR(40)  CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_50  AS VARCHAR(50)  CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_TEXT_100 AS VARCHAR(100) CHARACTER SET WIN1250 COLLATE PXW_PLK;
CREATE DOMAIN D_KWOTA    AS NUMERIC(18, 2);

CREATE TABLE Sprawy (
    Lp             INTEGER NOT NULL,
    ZO             D_TEXT_8,
    ZOLp           INTEGER,
    Rejon          SMALLINT,
    Powod          D_TEXT_100,
    Pozwany        D_TEXT_100,
    Adres          D_TEXT_40,
    Miejscowosc    D_TEXT_20,
    Rodzaj_sprawy  D_TEXT_30,
    Wartosc_sprawy D_KWOTA,
    Sygnatura1     D_TEXT_20,
    Sygnatura2     D_TEXT_20,
    Sygnatura3     D_TEXT_20,
    PowodFirma     D_TEXT_1,
    PozwanyFirma   D_TEXT_1,
    Data_komornika DATE,
    CONSTRAINT PK_Sprawy PRIMARY KEY (Lp)
);
CREATE INDEX IX_Sprawy_ZOLp ON Sprawy (ZOLp);
CREATE INDEX IX_Sprawy_ZO ON Sprawy (ZO);

CREATE TABLE Terminy (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Data      DATE NOT NULL,
    Notka     D_TEXT_30,
    CONSTRAINT PK_Terminy PRIMARY KEY (Lp)
);
CREATE INDEX IX_Terminy_Lp_Sprawy ON Terminy (Lp_Sprawy);

CREATE TABLE Historia_akt (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Data      DATE NOT NULL,
    Notka     D_TEXT_30,
    CONSTRAINT PK_Historia_akt PRIMARY KEY (Lp)
);
CREATE INDEX IX_Historia_akt_Lp_Sprawy ON Historia_akt (Lp_Sprawy);

CREATE TABLE Koszty (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Kwota     D_KWOTA,
    Data      DATE,
    Notka     D_TEXT_30,
    CONSTRAINT PK_Koszty PRIMARY KEY (Lp)
);
CREATE INDEX IX_Koszty_Lp_Sprawy ON Koszty (Lp_Sprawy);

CREATE TABLE Wynagrodzenie (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Kwota     D_KWOTA,
    Data      DATE,
    Notka     D_TEXT_30,
    CONSTRAINT PK_Wynagrodzenie PRIMARY KEY (Lp)
);
CREATE INDEX IX_Wynagrodzenie_Lp_Sprawy ON Wynagrodzenie (Lp_Sprawy);

CREATE TABLE Powods (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Nazwa     D_TEXT_50,
    Nazwisko  D_TEXT_30,
    Imie      D_TEXT_25,
    CONSTRAINT PK_Powods PRIMARY KEY (Lp)
);
CREATE INDEX IX_Powods_Lp_Sprawy ON Powods (Lp_Sprawy);

CREATE TABLE Pozwani (
    Lp        INTEGER NOT NULL,
    Lp_Sprawy INTEGER NOT NULL,
    Nazwa     D_TEXT_50,
    Nazwisko  D_TEXT_30,
    Imie      D_TEXT_25,
    CONSTRAINT PK_Pozwani PRIMARY KEY (Lp)
);
CREATE INDEX IX_Pozwani_Lp_Sprawy ON Pozwani (Lp_Sprawy);

CREATE TABLE Szczegoly (
    Lp_Sprawy  INTEGER NOT NULL,
    Orzeczenia BLOB SUB_TYPE 0 SEGMENT SIZE 4096,
    Notatki    BLOB SUB_TYPE 0 SEGMENT SIZE 4096,
    CONSTRAINT PK_Szczegoly PRIMARY KEY (Lp_Sprawy)
);

CREATE GENERATOR G_SPRAWY;
CREATE GENERATOR G_TERMINY;
CREATE GENERATOR G_Historia_akt;
CREATE GENERATOR G_Koszty;
CREATE GENERATOR G_Wynagrodzenie;
CREATE GENERATOR G_Powods;
CREATE GENERATOR G_Pozwani;
