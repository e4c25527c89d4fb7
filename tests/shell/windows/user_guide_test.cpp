#include "shell/program/help_file.h"
#include "shell/windows/image_viewer.h"
#include "support/main_window_fixture.h"

#include <QAction>
#include <QRegularExpression>
#include <QString>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString Guide()
{
    return QString::fromUtf8(SelfContainedGuide(QStringLiteral(":/help")));
}

// The rows of the guide's tables in the topic with this id, up to the next
// topic.
QStringList TableRows(const QString &guide, const QString &topic)
{
    const qsizetype start = guide.indexOf(QStringLiteral("<h2 id=\"%1\">").arg(topic));
    if (start < 0)
        return {};
    const QString section = guide.mid(start, guide.indexOf(QStringLiteral("<h2 "), start + 1) - start);
    static const QRegularExpression row(
        QStringLiteral("<tr>.*?</tr>"), QRegularExpression::DotMatchesEverythingOption);
    QStringList rows;
    for (auto match = row.globalMatch(section); match.hasNext();)
        rows.append(match.next().captured());
    return rows;
}

bool AnyRowHolds(const QStringList &rows, const QStringList &pieces)
{
    return std::any_of(rows.cbegin(), rows.cend(), [&pieces](const QString &row) {
        return std::all_of(
            pieces.cbegin(), pieces.cend(), [&row](const QString &piece) { return row.contains(piece); });
    });
}

// The guide compiled into the program: every topic is there and every
// picture travels inside the one written-out file.
TEST(UserGuide, CoversTheTopicsAndCarriesItsPictures)
{
    const QString guide = Guide();
    ASSERT_FALSE(guide.isEmpty());
    for (const char *topic : { "getting-started", "toolbar", "home-hub", "configuration", "system-options",
             "adjusting-graphs", "user-defined-graphs", "maintenance", "image-viewer", "line-events",
             "web-server", "headless", "command-line", "install", "uninstalling", "technical-notes" })
        EXPECT_TRUE(guide.contains(QStringLiteral("id=\"%1\"").arg(QLatin1String(topic)))) << topic;

    static const QRegularExpression picture(QStringLiteral(R"re(<img [^>]*src="([^"]*)")re"));
    int pictures = 0;
    for (auto match = picture.globalMatch(guide); match.hasNext(); ++pictures) {
        const QString source = match.next().captured(1);
        EXPECT_TRUE(source.startsWith(QStringLiteral("data:image/"))) << source.left(80).toStdString();
    }
    EXPECT_GE(pictures, 5);
}

// Every button the real window's toolbar carries, and every key of the
// image viewer's list with its command, has its row in the guide: a button
// or key added without one fails here.
class UserGuideOfTheWindow : public MainWindowFixture { };

TEST_F(UserGuideOfTheWindow, DescribesEveryToolbarButtonAndImageViewerKey)
{
    open(defaults());
    const QString guide = Guide();

    const QStringList toolbarRows = TableRows(guide, QStringLiteral("toolbar"));
    const auto *toolbar = window->findChild<QToolBar *>(QStringLiteral("ImageToolbar"));
    ASSERT_NE(toolbar, nullptr);
    QStringList captions;
    for (const QToolButton *button : toolbar->findChildren<QToolButton *>()) {
        if (!button->text().isEmpty())
            captions.append(button->text());
    }
    ASSERT_FALSE(captions.isEmpty());
    for (const QString &caption : captions)
        EXPECT_TRUE(AnyRowHolds(toolbarRows, { QStringLiteral("<b>%1</b>").arg(caption) }))
            << caption.toStdString();

    const QStringList viewerRows = TableRows(guide, QStringLiteral("image-viewer"));
    int keys = 0;
    for (const QAction *action : window->Form3->imageListBox->actions()) {
        if (action->shortcut().isEmpty())
            continue;
        ++keys;
        const QString key = action->shortcut().toString(QKeySequence::NativeText);
        EXPECT_TRUE(AnyRowHolds(viewerRows,
            { QStringLiteral("<kbd>%1</kbd>").arg(key), QStringLiteral("<b>%1</b>").arg(action->text()) }))
            << key.toStdString() << ' ' << action->text().toStdString();
    }
    EXPECT_GT(keys, 0);
}

} // namespace
