// Any bytes as the settings file. The INI layer reads them, writes them and
// reads its own output again: the second output must equal the first, so a
// save never drifts. The settings go through the same round trip on disk:
// load, save, load the saved file, save it again; both saves must be equal.
#include "base/clock.h"
#include "base/ini_file.h"
#include "base/settings.h"

#include "work_file.h"

#include <QFile>

#include <cstdlib>

namespace {

// Defaults that depend on the moment come out the same in both saves.
class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(10, 0, 0)); }
};

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile first;
    first.parse(bytes);
    const QByteArray once = first.toBytes();
    IniFile second;
    second.parse(once);
    if (second.toBytes() != once)
        std::abort();
    first.setValue("LW-BT", "Address", "192.168.1.254");
    IniFile third;
    third.parse(first.toBytes());
    if (third.value("LW-BT", "Address") != QByteArray("192.168.1.254"))
        std::abort();

    const QString path = WorkFile("linewarden.ini");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes.data(), bytes.size()) != bytes.size())
            std::abort();
    }
    static const FixedClock clock;
    SettingsContext context;
    context.clock = &clock;
    context.locale = QLocale::c();
    Settings settings(context);
    settings.Load(path);
    if (!settings.SaveIni(path))
        std::abort();
    const QByteArray firstSave = ReadAll(path);
    Settings again(context);
    if (!again.Load(path) || !again.SaveIni(path))
        std::abort();
    if (firstSave.isEmpty() || ReadAll(path) != firstSave)
        std::abort();
    return 0;
}
