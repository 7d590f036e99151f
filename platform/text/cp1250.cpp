#include "cp1250.h"

#include <algorithm>
#include <array>
#include <utility>

namespace text {

namespace {

// Unicode code points of the bytes 0x80..0xFF. The five bytes that Windows-1250
// leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to the C1 control of the
// same number, as Windows itself does, so every byte survives a round trip.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

struct Reverse {
    // Sorted pairs (code point, byte) for the high half, built once.
    std::array<std::pair<char16_t, unsigned char>, 128> pairs{};
    Reverse()
    {
        for (int i = 0; i < 128; ++i)
            pairs[i] = {kHigh[i], static_cast<unsigned char>(0x80 + i)};
        std::sort(pairs.begin(), pairs.end());
    }
};

const Reverse &reverse()
{
    static const Reverse r;
    return r;
}

} // namespace

bool toByte(char32_t cp, unsigned char &out)
{
    if (cp < 0x80) {
        out = static_cast<unsigned char>(cp);
        return true;
    }
    if (cp > 0xFFFF)
        return false;
    const auto &p = reverse().pairs;
    auto it = std::lower_bound(p.begin(), p.end(), std::make_pair(static_cast<char16_t>(cp), static_cast<unsigned char>(0)));
    if (it == p.end() || it->first != cp)
        return false;
    out = it->second;
    return true;
}

QChar fromByte(unsigned char b)
{
    return b < 0x80 ? QChar(b) : QChar(kHigh[b - 0x80]);
}

QString decode(QByteArrayView bytes)
{
    QString s;
    s.resize(bytes.size());
    QChar *d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = fromByte(static_cast<unsigned char>(bytes[i]));
    return s;
}

QByteArray encode(QStringView s, qsizetype *badIndex)
{
    QByteArray out;
    out.resize(s.size());
    char *d = out.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        char32_t cp = s[i].unicode();
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            cp = QChar::surrogateToUcs4(s[i], s[i + 1]);
        unsigned char b;
        if (!toByte(cp, b)) {
            if (badIndex)
                *badIndex = i;
            return {};
        }
        d[n++] = static_cast<char>(b);
    }
    out.resize(n);
    if (badIndex)
        *badIndex = -1;
    return out;
}

qsizetype firstUnencodable(QStringView s)
{
    qsizetype bad = -1;
    encode(s, &bad);
    return bad;
}

} // namespace text
