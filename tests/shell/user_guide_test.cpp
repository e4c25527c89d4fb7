#include "shell/help_file.h"

#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

namespace {

// The guide compiled into the program: every topic is there and every
// picture travels inside the one written-out file.
TEST(UserGuide, CoversTheTopicsAndCarriesItsPictures)
{
    const QString guide = QString::fromUtf8(SelfContainedGuide(QStringLiteral(":/help")));
    ASSERT_FALSE(guide.isEmpty());
    for (const char *topic : { "getting-started", "toolbar", "home-hub", "configuration", "system-options",
             "adjusting-graphs", "user-defined-graphs", "maintenance", "line-events", "web-server",
             "headless", "command-line", "install", "uninstalling", "technical-notes" })
        EXPECT_TRUE(guide.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(topic)))) << topic;

    static const QRegularExpression picture(QStringLiteral(R"re(<img [^>]*src="([^"]*)")re"));
    int pictures = 0;
    for (auto match = picture.globalMatch(guide); match.hasNext(); ++pictures) {
        const QString source = match.next().captured(1);
        EXPECT_TRUE(source.startsWith(QStringLiteral("data:image/"))) << source.left(80).toStdString();
    }
    EXPECT_GE(pictures, 5);
}

} // namespace
