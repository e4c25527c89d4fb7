#include "shell/program/help_file.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

HelpFile HelpFile::Beside(const QString &settingsFile)
{
    const QFileInfo settings(settingsFile);
    return HelpFile(
        settings.path() + QLatin1Char('/') + settings.completeBaseName() + QStringLiteral(".html"));
}

bool HelpFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

bool HelpFile::writeOut(const QByteArray &guide) const
{
    QFile::remove(m_path);
    // Created new or not at all: whatever is still there (a folder, a file
    // we may not delete, a link planted meanwhile) is never written through.
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (file.write(guide) != guide.size() || !file.flush()) {
        file.close();
        file.remove();
        return false;
    }
    return true;
}

void HelpFile::remove() const
{
    if (exists())
        QFile::remove(m_path);
}

QByteArray SelfContainedGuide(const QString &folder)
{
    QFile page(folder + QStringLiteral("/guide.html"));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    QString html = QString::fromUtf8(page.readAll());

    // src="name.png" and the like, where name is a plain file of the folder.
    static const QRegularExpression picture(QStringLiteral(R"re(src="([A-Za-z0-9_.-]+\.(png|jpg|svg))")re"));
    const QMimeDatabase types;
    QString out;
    qsizetype done = 0;
    auto match = picture.globalMatch(html);
    while (match.hasNext()) {
        const QRegularExpressionMatch found = match.next();
        QFile image(folder + QLatin1Char('/') + found.captured(1));
        if (!image.open(QIODevice::ReadOnly))
            continue;
        const QString type = types.mimeTypeForFile(image.fileName(), QMimeDatabase::MatchExtension).name();
        out += QStringView(html).mid(done, found.capturedStart() - done);
        out += QStringLiteral("src=\"data:") + type + QStringLiteral(";base64,")
            + QString::fromLatin1(image.readAll().toBase64()) + QLatin1Char('"');
        done = found.capturedEnd();
    }
    out += QStringView(html).mid(done);
    return out.toUtf8();
}
