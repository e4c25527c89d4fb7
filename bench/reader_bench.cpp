// Both page readers on a realistic 100 KB statistics page: the figures'
// labels are spread through the page, one of them near its end.
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"

#include <benchmark/benchmark.h>

namespace {

// Router page filler: navigation, scripts and table rows that hold none of
// the labels.
QString Filler(int bytes, int seed)
{
    QString text;
    int i = seed;
    while (text.size() < bytes) {
        text += QStringLiteral("<tr><td class=\"label\">Setting %1 &gt; detail:</td><td class=\"value\">"
                               "<a href=\"/index.cgi?active%5fpage=%2\">value %3 / %4</a></td></tr>\n"
                               "<script>var item%1 = {id: %2, state: \"enabled\"};</script>\n")
                    .arg(i)
                    .arg(9000 + i)
                    .arg(i * 7)
                    .arg(i * 3);
        ++i;
    }
    return text;
}

QString PageA()
{
    const auto row = [](const char16_t *label, const char16_t *value) {
        return QStringLiteral("<tr><td class=\"label\">%1</td><td class=\"value\">%2</td></tr>\n")
            .arg(QString::fromUtf16(label), QString::fromUtf16(value));
    };
    QString page = QStringLiteral("<div><h3>ADSL Settings</h3>") + Filler(15000, 1);
    page += QStringLiteral("<script>var wait = 93599;</script>") + Filler(15000, 2);
    page += row(u"Upstream:", u"1.25 Mbps") + row(u"Downstream:", u"7616 Kbps") + Filler(20000, 3);
    page += row(u"Noise margin (Down/Up):", u"6.2 / 5.8 dB") + Filler(20000, 4);
    page += row(u"CRC Events (Down/Up):", u"37 / 4") + Filler(28000, 5);
    page += row(u"HEC Events (Down/Up):", u"21 / 2") + QStringLiteral("</div>");
    return page;
}

QString PageB()
{
    const auto cell = [](const char16_t *anchor, const char16_t *value) {
        return QStringLiteral("<td class=\"val\"><!--%1-->%2</td>\n")
            .arg(QString::fromUtf16(anchor), QString::fromUtf16(value));
    };
    QString page = Filler(15000, 1);
    page += QStringLiteral("<th><!--FormatTime(DslInfo.UpTime))-->2 days, 01:02:03</th><th></th>")
        + Filler(15000, 2);
    page += cell(u"DslInfo.NoiseMargin)", u"6.1 / 5.9 dB") + Filler(20000, 3);
    page += cell(u"DslInfo.UpCurrRate)", u"1,234") + cell(u"DslInfo.DownCurrRate)", u"15,872")
        + Filler(20000, 4);
    page += cell(u"DslShowtime[0].CRCErr)", u"40/6") + Filler(28000, 5);
    page += cell(u"DslShowtime[0].HECErr)", u"25/3");
    return page;
}

template<void (*Reader)(QStringView, const ReaderOptions &, LineSample &, Readouts &)>
void RunReader(benchmark::State &state, const QString &page)
{
    ReaderOptions options;
    options.user1 = UserFigure::CrcErrors;
    options.user2 = UserFigure::HecErrors;
    options.logTab = 8;
    options.locale = QLocale::c();
    LineSample sample;
    Readouts readouts;
    for (auto _ : state) {
        sample.resetForPageLoad();
        sample.logLine = QStringLiteral("Wed 09 Dec 2026  10:11:12, ");
        Reader(page, options, sample, readouts);
        benchmark::DoNotOptimize(sample);
    }
    state.SetBytesProcessed(state.iterations() * page.size() * qsizetype(sizeof(QChar)));
    state.counters["page_kB"] = double(page.size()) / 1000;
}

void BM_HubAReader(benchmark::State &state)
{
    static const QString page = PageA();
    RunReader<BTHomeHub3A>(state, page);
}

void BM_HubBReader(benchmark::State &state)
{
    static const QString page = PageB();
    RunReader<BTHomeHub3B>(state, page);
}

BENCHMARK(BM_HubAReader)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HubBReader)->Unit(benchmark::kMicrosecond);

} // namespace
