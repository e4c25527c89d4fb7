#include "shell/commands/export_history_command.h"

#include "outputs/history_csv.h"
#include "outputs/history_database.h"
#include "outputs/history_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

int Fail(QTextStream &err, const QString &message)
{
    err << "linewarden: " << message << Qt::endl;
    return 2;
}

} // namespace

int RunExportHistory(const ExportHistoryRequest &request, const QString &dataFolder, QTextStream &err)
{
    const QString path = QDir(dataFolder).filePath(HistoryStore::fileName());
    if (!QFileInfo(path).isFile())
        return Fail(err, QStringLiteral("there is no history to export: %1 does not exist").arg(path));
    HistoryDatabase history;
    if (!history.open(path, false))
        return Fail(err, QStringLiteral("cannot read the history: ") + history.errorText());

    // Written whole or not at all: a failed export leaves no half file.
    QSaveFile file(request.file);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(err, QStringLiteral("cannot write %1: %2").arg(request.file, file.errorString()));
    constexpr int kChunkBytes = 1 << 16;
    QByteArray chunk = HistoryCsvHeader().toUtf8() + '\n';
    const bool read = history.forEach(request.from, request.to, [&chunk, &file](HistoryRecord &&record) {
        chunk += HistoryCsvLine(record).toUtf8() + '\n';
        if (chunk.size() >= kChunkBytes) {
            file.write(chunk);
            chunk.clear();
        }
    });
    if (!read) {
        file.cancelWriting();
        return Fail(err, QStringLiteral("cannot read the history: ") + history.errorText());
    }
    file.write(chunk);
    if (!file.commit())
        return Fail(err, QStringLiteral("cannot write %1: %2").arg(request.file, file.errorString()));
    return 0;
}
