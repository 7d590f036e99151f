#include "newcase/Entries.h"

#include <gtest/gtest.h>

namespace {

TEST(Amounts, NormalizeAndCheck)
{
    struct Case { const char *text; AmountCheck check; const char *normalized; };
    const Case cases[] = {
        {"1500", AmountCheck::Valid, "1500.00"},
        {"12.5", AmountCheck::Valid, "12.50"},
        {"100.55", AmountCheck::Valid, "100.55"},
        {"007", AmountCheck::Valid, "007.00"},
        {"-250", AmountCheck::Valid, "-250.00"},
        {"999999999.99", AmountCheck::Valid, "999999999.99"},
        {"1000000000", AmountCheck::OutOfRange, nullptr},
        {"999999999.995", AmountCheck::Invalid, nullptr},
        {"100.555", AmountCheck::Invalid, nullptr},
        {".5", AmountCheck::Invalid, nullptr},
        {"5.", AmountCheck::Invalid, nullptr},
        {"1.2.3", AmountCheck::Invalid, nullptr},
        {"", AmountCheck::Invalid, nullptr},
        {"abc", AmountCheck::Invalid, nullptr},
        // Texts a number parser takes but the database would not after ".00".
        {"1e5", AmountCheck::Invalid, nullptr},
        {" 5", AmountCheck::Invalid, nullptr},
        {"5 ", AmountCheck::Invalid, nullptr},
        {"+5", AmountCheck::Invalid, nullptr},
        {"5-", AmountCheck::Invalid, nullptr},
        {"١٢", AmountCheck::Invalid, nullptr},   // digits of another script
    };
    for (const Case &c : cases) {
        const QString t = QString::fromUtf8(c.text);
        EXPECT_EQ(CheckAmountText(t), c.check) << c.text;
        if (c.normalized) {
            EXPECT_EQ(NormalizeAmountText(t), QString::fromUtf8(c.normalized)) << c.text;
        }
    }
}

} // namespace
