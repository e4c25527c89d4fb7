#include "shell/windows/about_dialog.h"

#include "support/qt_printers.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(AboutWindow, ShowsNameVersionTagLineAndLink)
{
    TForm2 about(nullptr);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Linewarden - About"));
    EXPECT_EQ(about.size(), QSize(405, 213));
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint);

    EXPECT_EQ(about.Label1->text(), QStringLiteral("Linewarden"));
    EXPECT_EQ(about.Label1->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(about.Label1->font().pixelSize(), 29);
    EXPECT_TRUE(about.Label1->font().bold());
    EXPECT_EQ(about.Label1->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(about.Label2->text(), QStringLiteral("Version 1.3"));
    EXPECT_EQ(about.Label4->text(), QStringLiteral("Line monitoring tool for the BT HomeHub 3"));
    EXPECT_EQ(about.Button1->text(), QStringLiteral("Close"));

    // Every label sits whole inside the panel, the panel and button inside
    // the window.
    for (const QLabel *label : { about.Label1, about.Label2, about.Label3, about.Label4 })
        EXPECT_TRUE(about.Panel1->rect().contains(label->geometry())) << label->text().toStdString();
    EXPECT_TRUE(about.rect().contains(about.Panel1->geometry()));
    EXPECT_TRUE(about.rect().contains(about.Button1->geometry()));
}

// The link asks for the user guide, which the program has beside its
// settings; it names no web address that may not exist.
TEST(AboutWindow, LinkAsksForTheGuideUnderAPointingHand)
{
    TForm2 about(nullptr);
    QSignalSpy guide(&about, &TForm2::guideWanted);
    about.show();
    EXPECT_TRUE(about.Label3->font().underline());
    EXPECT_EQ(about.Label3->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(about.Label3->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.cursor().shape(), Qt::ArrowCursor);
    for (const QString &shown : { about.Label3->text(), about.Label3->toolTip() }) {
        EXPECT_FALSE(shown.contains(QStringLiteral("example"))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("://"))) << shown.toStdString();
    }

    QTest::mouseClick(about.Label4, Qt::LeftButton);
    EXPECT_EQ(guide.count(), 0);
    QTest::mouseClick(about.Label3, Qt::LeftButton);
    EXPECT_EQ(guide.count(), 1);

    QSignalSpy closed(&about, &QDialog::finished);
    about.Button1->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
