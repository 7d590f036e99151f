#include "platform/text/cp1250.h"

#include "support/seams.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, PolishLettersRoundTrip)
{
    const QString polish = QStringLiteral("Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    qsizetype bad = 0;
    const QByteArray bytes = text::encode(polish, &bad);
    EXPECT_EQ(bad, -1);
    EXPECT_EQ(bytes.size(), polish.size());
    EXPECT_EQ(text::decode(bytes), polish);
    // A few bytes checked against the code page itself.
    EXPECT_EQ(text::encode(QStringLiteral("ąśżźćńółę")), QByteArray("\xB9\x9C\xBF\x9F\xE6\xF1\xF3\xB3\xEA"));
    EXPECT_EQ(text::encode(QStringLiteral("ĄŚŻŹĆŃÓŁĘ€")), QByteArray("\xA5\x8C\xAF\x8F\xC6\xD1\xD3\xA3\xCA\x80"));
}

TEST(Cp1250, EveryByteSurvivesDecodeEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(text::encode(text::decode(all)), all);
}

TEST(Cp1250, UnencodableCharacterIsReportedNotReplaced)
{
    struct Case { QString text; qsizetype bad; };
    const Case cases[] = {
        {QStringLiteral("abc\u4E2D"), 3},           // CJK
        {QStringLiteral("x\u00F1"), 1},             // ñ is not in 1250
        {QString::fromUcs4(U"a\U0001F600b"), 1},    // emoji outside the BMP
        {QStringLiteral("\u2013ok"), -1},           // en dash is in 1250
    };
    for (const Case &c : cases) {
        qsizetype bad = 0;
        const QByteArray b = text::encode(c.text, &bad);
        EXPECT_EQ(bad, c.bad) << c.text.toStdString();
        if (c.bad >= 0) {
            EXPECT_TRUE(b.isEmpty());
        }
        EXPECT_EQ(text::firstUnencodable(c.text), c.bad);
    }
}

} // namespace
