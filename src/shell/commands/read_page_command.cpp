#include "shell/commands/read_page_command.h"

#include "base/clock.h"
#include "base/settings_schema.h"
#include "sampling/hub_a_reader.h"
#include "sampling/hub_b_reader.h"
#include "sampling/reader_steps.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

QJsonObject ReadPageAsJson(QStringView page, const ReadPageRequest &request, const QDateTime &loadedAt)
{
    ReaderOptions options;
    options.user1 = UserFigureFromIndex(request.user1);
    options.user2 = UserFigureFromIndex(request.user2);
    options.logTab = request.logTab;

    LineSample sample;
    Readouts readouts;
    StartLogLine(sample, loadedAt,
        request.logDateFormat.isEmpty() ? DefaultOf(SettingKey::LogDateFormat, {}).toString()
                                        : request.logDateFormat);
    // A Type A page is read only when it is the statistics page; a Type B
    // page is read at its own URL, which here is the one given.
    if (request.type == u'A') {
        if (page.contains(u"ADSL Settings"))
            BTHomeHub3A(page, options, sample, readouts);
    } else {
        BTHomeHub3B(page, options, sample, readouts);
    }

    return QJsonObject {
        { QStringLiteral("noiseMarginUp"), sample.noiseMarginUp },
        { QStringLiteral("noiseMarginDown"), sample.noiseMarginDown },
        { QStringLiteral("speedUp"), sample.speedUp },
        { QStringLiteral("speedDown"), sample.speedDown },
        { QStringLiteral("speedUpText"), sample.speedUpText },
        { QStringLiteral("speedDownText"), sample.speedDownText },
        { QStringLiteral("uptimeText"), sample.uptimeText },
        { QStringLiteral("logLine"), sample.logLine },
        { QStringLiteral("user1Up"), sample.user1Up },
        { QStringLiteral("user1Down"), sample.user1Down },
        { QStringLiteral("user2Up"), sample.user2Up },
        { QStringLiteral("user2Down"), sample.user2Down },
        { QStringLiteral("pageRead"), sample.pageRead },
        { QStringLiteral("readouts"),
            QJsonObject {
                { QStringLiteral("Label20"), readouts.Label20 },
                { QStringLiteral("Label22"), readouts.Label22 },
                { QStringLiteral("Label15"), readouts.Label15 },
                { QStringLiteral("Label23"), readouts.Label23 },
                { QStringLiteral("Label25"), readouts.Label25 },
            } },
    };
}

int RunReadPage(const ReadPageRequest &request, const Clock &clock, QTextStream &out, QTextStream &err)
{
    QFile file(request.file);
    if (QFileInfo(request.file).isDir()) {
        err << "linewarden: cannot read " << request.file << ": it is a folder" << Qt::endl;
        return 2;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        err << "linewarden: cannot read " << request.file << ": " << file.errorString() << Qt::endl;
        return 2;
    }
    // Map the file rather than read it: a page of tens of megabytes is then
    // decoded straight from the page cache.
    QString page;
    if (uchar *mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        page = QString::fromUtf8(reinterpret_cast<const char *>(mapped), static_cast<qsizetype>(file.size()));
        file.unmap(mapped);
    } else {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            err << "linewarden: cannot read " << request.file << ": " << file.errorString() << Qt::endl;
            return 2;
        }
        page = QString::fromUtf8(bytes);
    }
    const QDateTime loadedAt = request.at.value_or(clock.now());
    out << QJsonDocument(ReadPageAsJson(page, request, loadedAt)).toJson(QJsonDocument::Indented);
    out.flush();
    return 0;
}
