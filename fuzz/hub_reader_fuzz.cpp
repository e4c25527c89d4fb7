// Any bytes as a statistics page, with any user figures and log column
// width: the reader must neither crash nor read past the page, and what it
// writes into the sample must be usable numbers.
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>

#ifndef LINEWARDEN_FUZZ_READER
#error "LINEWARDEN_FUZZ_READER names the reader"
#endif

namespace {

void CheckFinite(double value)
{
    if (!std::isfinite(value))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    ReaderOptions options;
    options.user1 = static_cast<UserFigure>(input.ConsumeIntegralInRange<int>(0, 6));
    options.user2 = static_cast<UserFigure>(input.ConsumeIntegralInRange<int>(0, 6));
    options.logTab = input.ConsumeIntegralInRange<int>(0, 40);
    options.locale = input.ConsumeBool() ? QLocale::c() : QLocale(QLocale::German, QLocale::Germany);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString page = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));

    LineSample sample;
    Readouts readouts;
    LINEWARDEN_FUZZ_READER(page, options, sample, readouts);
    for (const double value : { sample.noiseMarginUp, sample.noiseMarginDown, sample.speedUp,
             sample.speedDown, sample.user1Up, sample.user1Down, sample.user2Up, sample.user2Down })
        CheckFinite(value);
    return 0;
}
