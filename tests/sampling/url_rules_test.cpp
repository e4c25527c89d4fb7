#include "sampling/url_rules.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(UrlRules, TypeAUrlIsCutAfterThePageNumberAndUnescapedOnce)
{
    EXPECT_EQ(
        LearnTypeAUrl(QStringLiteral("http://192.168.1.254/index.cgi?active%5fpage=9118&nav%5fclear=1")),
        QStringLiteral("http://192.168.1.254/index.cgi?active_page=9118&"));
    EXPECT_EQ(LearnTypeAUrl(QStringLiteral("http://192.168.1.254/a_adsl.html")),
        QStringLiteral("http://192.168.1.254/a_adsl.html"));
    // Fewer than five characters after "page=": the URL stays whole.
    EXPECT_EQ(LearnTypeAUrl(QStringLiteral("http://h/?page=1")), QStringLiteral("http://h/?page=1"));
}

TEST(UrlRules, EngineSpellingsOfOneUrlCompareEqual)
{
    EXPECT_TRUE(SameUrl(QStringLiteral("http://192.168.1.254"), QStringLiteral("http://192.168.1.254/")));
    EXPECT_TRUE(SameUrl(QStringLiteral("http://h/index.cgi?active%5fpage=9118&"),
        QStringLiteral("http://h/index.cgi?active_page=9118&")));
    EXPECT_TRUE(SameUrl(QStringLiteral("HTTP://Router.Local:80/x"), QStringLiteral("http://router.local/x")));
    EXPECT_FALSE(SameUrl(QStringLiteral("http://h/index.cgi?active_page=9118&"),
        QStringLiteral("http://h/index.cgi?active_page=9119&")));
    EXPECT_FALSE(SameUrl(QStringLiteral("http://h/a"), QStringLiteral("http://h/A")));
    EXPECT_FALSE(SameUrl(QStringLiteral("http://h/a"), QString()));
    // An escape of a reserved character keeps its meaning.
    EXPECT_FALSE(SameUrl(QStringLiteral("http://h/?a=1%26b=2"), QStringLiteral("http://h/?a=1&b=2")));
}

TEST(UrlRules, LoginFieldNameTakesTheDigitsAfterPassword)
{
    EXPECT_EQ(
        LoginFieldName(u"<input type=password name=password_4711 size=20>"), QStringLiteral("password_4711"));
    EXPECT_EQ(LoginFieldName(u"<input name=password_ value=''>"), QStringLiteral("password_"));
    EXPECT_EQ(LoginFieldName(u"<input name=password_12"), QStringLiteral("password_12"));
    EXPECT_TRUE(LoginFieldName(u"no field here").isEmpty());
}

TEST(UrlRules, LoginTextsCountFromTheThirdCharacter)
{
    EXPECT_FALSE(ContainsFromThird(u"incorrect password", u"incorrect"));
    EXPECT_FALSE(ContainsFromThird(u"xincorrect", u"incorrect"));
    EXPECT_TRUE(ContainsFromThird(u"xxincorrect", u"incorrect"));
    EXPECT_FALSE(ContainsFromThird(u"", u"incorrect"));
}

TEST(UrlRules, RemoveFirstTakesOnlyTheFirstOccurrence)
{
    EXPECT_EQ(RemoveFirst(QStringLiteral("http://h/x?u=http://h/"), QStringLiteral("http://h")),
        QStringLiteral("/x?u=http://h/"));
    EXPECT_EQ(RemoveFirst(QStringLiteral("abc"), QString()), QStringLiteral("abc"));
}

} // namespace
