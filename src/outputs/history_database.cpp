#include "outputs/history_database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

#include <atomic>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

namespace {

// The figures' columns: <name>_up and <name>_down, in units of 1/scale.
struct FigureColumns {
    UserFigure figure;
    const char *name;
    int scale;
};

constexpr FigureColumns kFigureColumns[] = {
    { UserFigure::OutputPower, "output_power", 10 },
    { UserFigure::LineAttenuation, "attenuation", 10 },
    { UserFigure::ErrorSeconds, "error_seconds", 1 },
    { UserFigure::FecErrors, "fec", 1 },
    { UserFigure::CrcErrors, "crc", 1 },
    { UserFigure::HecErrors, "hec", 1 },
};

constexpr int kMarginScale = 10; // tenths of a dB
constexpr int kFirstFigureColumn = 7;

// Every column after the moment, in the table's order. Columns have no
// declared type, so SQLite keeps each value as it was bound: an integer in
// the column's unit, or a real number when the value is finer than that.
QStringList ValueColumns()
{
    QStringList columns
        = { QStringLiteral("margin_up"), QStringLiteral("margin_down"), QStringLiteral("speed_up"),
              QStringLiteral("speed_down"), QStringLiteral("uptime"), QStringLiteral("statistics_page") };
    for (const FigureColumns &figure : kFigureColumns) {
        columns << QLatin1String(figure.name) + QStringLiteral("_up");
        columns << QLatin1String(figure.name) + QStringLiteral("_down");
    }
    return columns;
}

QString CreateTableStatement()
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS samples (moment INTEGER PRIMARY KEY, %1)")
        .arg(ValueColumns().join(QStringLiteral(", ")));
}

QString InsertStatement()
{
    const QStringList columns = ValueColumns();
    return QStringLiteral("INSERT OR REPLACE INTO samples (moment, %1) VALUES (?%2)")
        .arg(columns.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(columns.size()));
}

QString SelectStatement()
{
    return QStringLiteral("SELECT moment, %1 FROM samples WHERE moment >= ? AND moment <= ? ORDER BY moment")
        .arg(ValueColumns().join(QStringLiteral(", ")));
}

// A value in units of 1/scale when it is a whole number of them, else as it
// is.
QVariant Encode(double value, int scale)
{
    const double scaled = value * scale;
    if (std::isfinite(scaled) && std::abs(scaled) < 9.0e15) {
        const qint64 whole = std::llround(scaled);
        if (static_cast<double>(whole) / scale == value)
            return QVariant(whole);
    }
    return QVariant(value);
}

const FigureColumns *ColumnsOf(UserFigure figure)
{
    for (const FigureColumns &columns : kFigureColumns) {
        if (columns.figure == figure)
            return &columns;
    }
    return nullptr;
}

// Whether a file that is there and not empty starts as every SQLite
// database does. A file that does not is never handed to SQLite, which
// would take its journal files for its own and rewrite them.
bool LooksLikeADatabase(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() == 0 || !file.open(QIODevice::ReadOnly))
        return true; // SQLite tells what is wrong with it, if anything
    return file.read(16) == QByteArrayView("SQLite format 3\0", 16);
}

QString NextConnectionName()
{
    static std::atomic<int> next { 0 };
    return QStringLiteral("linewarden-history-%1").arg(next++);
}

// The rows are read straight from SQLite: through Qt's driver every value
// would become a QVariant first, which doubles the time a day of samples
// takes to read.
double DecodeColumn(sqlite3_stmt *row, int column, int scale)
{
    if (sqlite3_column_type(row, column) == SQLITE_FLOAT)
        return sqlite3_column_double(row, column);
    return static_cast<double>(sqlite3_column_int64(row, column)) / scale;
}

HistoryRecord RecordOfRow(sqlite3_stmt *row)
{
    HistoryRecord record;
    record.moment = QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(row, 0), Qt::UTC);
    record.noiseMarginUp = DecodeColumn(row, 1, kMarginScale);
    record.noiseMarginDown = DecodeColumn(row, 2, kMarginScale);
    record.speedUp = DecodeColumn(row, 3, 1);
    record.speedDown = DecodeColumn(row, 4, 1);
    if (sqlite3_column_type(row, 5) != SQLITE_NULL)
        record.uptimeSeconds = sqlite3_column_int64(row, 5);
    record.statisticsPage = sqlite3_column_int64(row, 6) != 0;
    int column = kFirstFigureColumn;
    for (const FigureColumns &figure : kFigureColumns) {
        const int up = column++;
        const int down = column++;
        if (sqlite3_column_type(row, up) != SQLITE_NULL || sqlite3_column_type(row, down) != SQLITE_NULL)
            record.figures.push_back({ figure.figure, DecodeColumn(row, up, figure.scale),
                DecodeColumn(row, down, figure.scale) });
    }
    return record;
}

// The connection's own SQLite handle; null when the driver has none.
sqlite3 *HandleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

} // namespace

struct HistoryDatabase::Private {
    QString path;
    QString connectionName; // empty while closed
    QSqlDatabase db;
    std::optional<QSqlQuery> insert;
    sqlite3_stmt *select = nullptr; // finalized before the connection closes
    mutable Failure failure = Failure::None;
    mutable QString error;

    // Keeps the error of a statement or of the connection; false.
    bool fail(const QSqlError &sqlError) const
    {
        const int code = sqlError.nativeErrorCode().toInt() & 0xff;
        constexpr int kCorrupt = 11; // SQLITE_CORRUPT
        constexpr int kNotADatabase = 26; // SQLITE_NOTADB
        failure = code == kCorrupt || code == kNotADatabase ? Failure::Damaged : Failure::Other;
        error = sqlError.text() + QStringLiteral(": ") + path;
        return false;
    }

    bool exec(const QString &statement)
    {
        QSqlQuery query(db);
        return query.exec(statement) || fail(query.lastError());
    }

    // The first value of a statement's first row, as text.
    std::optional<QString> firstValue(const QString &statement)
    {
        QSqlQuery query(db);
        if (!query.exec(statement) || !query.next()) {
            fail(query.lastError());
            return std::nullopt;
        }
        return query.value(0).toString();
    }

    bool checkWhole()
    {
        const std::optional<QString> verdict = firstValue(QStringLiteral("PRAGMA quick_check(1)"));
        if (!verdict)
            return false;
        if (*verdict == u"ok")
            return true;
        failure = Failure::Damaged;
        error = *verdict + QStringLiteral(": ") + path;
        return false;
    }

    bool prepare()
    {
        const std::optional<QString> mode = firstValue(QStringLiteral("PRAGMA journal_mode=WAL"));
        if (!mode)
            return false;
        if (mode->compare(u"wal", Qt::CaseInsensitive) != 0) {
            failure = Failure::Other;
            error = QStringLiteral("the journal cannot be WAL: ") + path;
            return false;
        }
        // Room to read a month of samples without going back to the file.
        if (!exec(QStringLiteral("PRAGMA synchronous=NORMAL"))
            || !exec(QStringLiteral("PRAGMA cache_size=-8192")) || !exec(CreateTableStatement()))
            return false;
        insert.emplace(db);
        if (!insert->prepare(InsertStatement()))
            return fail(insert->lastError());
        sqlite3 *handle = HandleOf(db);
        const QByteArray statement = SelectStatement().toUtf8();
        if (!handle || sqlite3_prepare_v2(handle, statement.constData(), -1, &select, nullptr) != SQLITE_OK) {
            failure = Failure::Other;
            error = QStringLiteral("the history cannot be read: ") + path;
            return false;
        }
        return true;
    }
};

HistoryDatabase::HistoryDatabase() : d(std::make_unique<Private>()) { }

HistoryDatabase::~HistoryDatabase()
{
    close();
}

bool HistoryDatabase::open(const QString &path, bool check)
{
    close();
    d->path = path;
    d->failure = Failure::None;
    d->error.clear();
    if (check && !LooksLikeADatabase(path)) {
        d->failure = Failure::Damaged;
        d->error = QStringLiteral("not a database: ") + path;
        return false;
    }
    d->connectionName = NextConnectionName();
    d->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connectionName);
    d->db.setDatabaseName(path);
    // A writer of another process holds the file for a moment at most.
    d->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    const bool opened
        = (d->db.open() || d->fail(d->db.lastError())) && (!check || d->checkWhole()) && d->prepare();
    if (!opened) {
        const Failure failure = d->failure;
        const QString error = d->error;
        close();
        d->failure = failure;
        d->error = error;
    }
    return opened;
}

void HistoryDatabase::close()
{
    if (d->connectionName.isEmpty())
        return;
    d->insert.reset();
    sqlite3_finalize(d->select);
    d->select = nullptr;
    d->db.close();
    d->db = QSqlDatabase();
    QSqlDatabase::removeDatabase(d->connectionName);
    d->connectionName.clear();
}

bool HistoryDatabase::isOpen() const
{
    return !d->connectionName.isEmpty();
}

bool HistoryDatabase::insert(const HistoryRecord &record)
{
    if (!isOpen())
        return false;
    QSqlQuery &insert = *d->insert;
    insert.bindValue(0, record.moment.toMSecsSinceEpoch());
    insert.bindValue(1, Encode(record.noiseMarginUp, kMarginScale));
    insert.bindValue(2, Encode(record.noiseMarginDown, kMarginScale));
    insert.bindValue(3, Encode(record.speedUp, 1));
    insert.bindValue(4, Encode(record.speedDown, 1));
    insert.bindValue(5, record.uptimeSeconds ? QVariant(*record.uptimeSeconds) : QVariant());
    insert.bindValue(6, record.statisticsPage ? 1 : 0);
    for (int column = kFirstFigureColumn; column < kFirstFigureColumn + 2 * int(std::size(kFigureColumns));
         ++column)
        insert.bindValue(column, QVariant());
    for (const HistoryRecord::Figure &figure : record.figures) {
        const FigureColumns *columns = ColumnsOf(figure.figure);
        if (!columns)
            continue;
        const int up = kFirstFigureColumn + 2 * int(columns - kFigureColumns);
        insert.bindValue(up, Encode(figure.up, columns->scale));
        insert.bindValue(up + 1, Encode(figure.down, columns->scale));
    }
    const bool stored = insert.exec() || d->fail(insert.lastError());
    insert.finish();
    return stored;
}

bool HistoryDatabase::forEach(
    const QDateTime &from, const QDateTime &to, const std::function<void(HistoryRecord &&)> &visit) const
{
    if (!isOpen())
        return false;
    sqlite3_stmt *select = d->select;
    sqlite3_bind_int64(
        select, 1, from.isValid() ? from.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min());
    sqlite3_bind_int64(select, 2, to.isValid() ? to.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max());
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(select)) == SQLITE_ROW)
        visit(RecordOfRow(select));
    sqlite3_reset(select);
    if (step == SQLITE_DONE)
        return true;
    const int code = step & 0xff;
    d->failure = code == SQLITE_CORRUPT || code == SQLITE_NOTADB ? Failure::Damaged : Failure::Other;
    d->error = QString::fromUtf8(sqlite3_errstr(step)) + QStringLiteral(": ") + d->path;
    return false;
}

bool HistoryDatabase::removeBefore(const QDateTime &cutoff)
{
    if (!isOpen())
        return false;
    QSqlQuery remove(d->db);
    remove.prepare(QStringLiteral("DELETE FROM samples WHERE moment < ?"));
    remove.bindValue(0, cutoff.toMSecsSinceEpoch());
    return remove.exec() || d->fail(remove.lastError());
}

HistoryDatabase::Failure HistoryDatabase::failure() const
{
    return d->failure;
}

QString HistoryDatabase::errorText() const
{
    return d->error;
}
