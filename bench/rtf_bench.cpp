// Reading and writing a rich-text document of about 1 MB with mixed
// formatting: fonts, sizes, styles, colours, Polish letters as \'hh and \u.

#include "platform/rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A rich-edit style document: many paragraphs, formats switched by control
// words inside the paragraph and by groups.
QByteArray makeDocument(qsizetype targetSize)
{
    QByteArray out =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1045{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}"
        "{\\f1\\froman\\fcharset238 Times New Roman;}{\\f2\\fmodern\\fcharset238 Courier New;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue255;\\red200\\green0\\blue0;\\red255\\green255\\blue0;}\r\n"
        "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\r\n";
    int n = 0;
    while (out.size() < targetSize) {
        const int k = n++;
        out += (k % 4 == 0) ? "\\pard\\qc" : (k % 4 == 1) ? "\\pard\\qj" : "\\pard";
        out += "\\f" + QByteArray::number(k % 3) + "\\fs" + QByteArray::number(18 + 2 * (k % 5)) + " ";
        out += "Sygn. akt I C " + QByteArray::number(k) + "/06 \\b Wyrok S\\'b9du Rejonowego\\b0  w sprawie z "
               "powództwa ";
        out += "{\\i\\cf1 Zak\\'b3adu Gospodarki Mieszkaniowej}  przeciwko \\ul Janowi Kowalskiemu\\ulnone  "
               "o zap\\u322?at\\u281? kwoty \\cf2 1500,00 z\\'b3\\cf0\\tab "
               "{\\strike\\highlight3 zas\\u261?dzono}, ";
        out += "{\\f2\\fs16 odsetki ustawowe od dnia 12.05.2006 r. do dnia zap\\'b3aty}\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

const QByteArray &document()
{
    static const QByteArray doc = makeDocument(1024 * 1024);
    return doc;
}

void BM_ReadRtf1MB(benchmark::State &state)
{
    const QByteArray &bytes = document();
    std::unique_ptr<QTextDocument> doc;
    for (auto _ : state) {
        // Each read fills a fresh, empty document; freeing the last one is
        // not part of reading.
        state.PauseTiming();
        doc = std::make_unique<QTextDocument>();
        state.ResumeTiming();
        rtf::read(bytes, *doc);
        benchmark::DoNotOptimize(doc->characterCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadRtf1MB)->Name("rtf_read_1mb")->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WriteRtf1MB(benchmark::State &state)
{
    QTextDocument doc;
    rtf::read(document(), doc);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray out = rtf::write(doc);
        size = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteRtf1MB)->Name("rtf_write_1mb")->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    // Text documents need the font database of a GUI application; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
