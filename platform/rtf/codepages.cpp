#include "codepages.h"

#include "platform/text/cp1250.h"

#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <array>

namespace rtf::codepages {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes it
// leaves undefined keep the C1 control of the same number.
constexpr std::array<char16_t, 32> k1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void append1252(QByteArrayView bytes, QString &out)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    QChar *d = out.data() + at;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(k1252[b - 0x80]) : QChar(b);
    }
}

void append1250(QByteArrayView bytes, QString &out)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    QChar *d = out.data() + at;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = b < 0x80 ? QChar(b) : text::fromByte(b);
    }
}

const char *converterName(int codePage)
{
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 1251: return "windows-1251";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    case 10000: return "macintosh";
    case 20866: return "KOI8-R";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    default: return nullptr;
    }
}

// Whether the system's converters know the code page (asked once per page).
bool converterAvailable(int codePage)
{
    static QMutex mutex;
    static QHash<int, bool> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(codePage);
    if (it != cache.cend())
        return *it;
    const char *name = converterName(codePage);
    const bool ok = name && QStringDecoder(name).isValid();
    cache.insert(codePage, ok);
    return ok;
}

} // namespace

int fromCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;   // ANSI
    case 2: return 1252;   // Symbol: bytes kept as they are
    case 77: return 10000; // Macintosh
    case 128: return 932;  // Shift JIS
    case 129: return 949;  // Hangul
    case 134: return 936;  // GB2312
    case 136: return 950;  // Big5
    case 161: return 1253; // Greek
    case 162: return 1254; // Turkish
    case 163: return 1258; // Vietnamese
    case 177: return 1255; // Hebrew
    case 178: return 1256; // Arabic
    case 186: return 1257; // Baltic
    case 204: return 1251; // Cyrillic
    case 222: return 874;  // Thai
    case 238: return 1250; // Eastern European
    case 254: return 437;  // PC 437
    case 255: return 850;  // OEM
    default: return 0;
    }
}

bool singleByte(int codePage)
{
    switch (codePage) {
    case 932:
    case 936:
    case 949:
    case 950:
    case 1361:
    case 65001:
        return false;
    default:
        return true;
    }
}

bool known(int codePage)
{
    return codePage == 1250 || codePage == 1252 || codePage == 65001 || converterAvailable(codePage);
}

QString decode(QByteArrayView bytes, int codePage)
{
    QString s;
    decodeAppend(bytes, codePage, s);
    return s;
}

void decodeAppend(QByteArrayView bytes, int codePage, QString &out)
{
    if (bytes.isEmpty())
        return;
    if (codePage == 1250)
        return append1250(bytes, out);
    if (codePage == 65001) {
        out += QString::fromUtf8(bytes);
        return;
    }
    if (codePage != 1252 && converterAvailable(codePage)) {
        QStringDecoder decoder(converterName(codePage));
        out += decoder.decode(bytes);
        return;
    }
    append1252(bytes, out);
}

} // namespace rtf::codepages
