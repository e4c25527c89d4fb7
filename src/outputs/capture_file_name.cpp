#include "outputs/capture_file_name.h"

QString CaptureFileName(const QString &prefix, const QString &graphName, const QString &stamp)
{
    const QString name = prefix + graphName + u'-' + stamp + QStringLiteral(".jpg");
    if (name.contains(u'/') || name.contains(QChar(u'\0')))
        return {};
    return name;
}

QString CapturePath(const QString &folder, const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    return folder.endsWith(u'/') ? folder + fileName : folder + u'/' + fileName;
}
