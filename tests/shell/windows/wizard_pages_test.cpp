#include "shell/windows/wizard_pages.h"

#include <gtest/gtest.h>

namespace {

using P = WizardPage;

WizardAnswers Answers(RouterType type, const char *password = "secret", const char *address = "192.168.1.254")
{
    return { QString::fromLatin1(address), type, QString::fromLatin1(password) };
}

TEST(WizardPagesTest, NextAndBackFollowTheRouterType)
{
    const struct {
        RouterType type;
        P next[4]; // Next from pages 0 to 3
        P back[5]; // Back from pages 0 to 4
    } cases[] = {
        { RouterType::TypeA, { P::Address, P::RouterType, P::Password, P::Finish },
            { P::Welcome, P::Welcome, P::Address, P::RouterType, P::RouterType } },
        // Type B has no password page.
        { RouterType::TypeB, { P::Address, P::RouterType, P::Finish, P::Finish },
            { P::Welcome, P::Welcome, P::Address, P::RouterType, P::RouterType } },
        { RouterType::None, { P::Address, P::RouterType, P::RouterType, P::Finish },
            { P::Welcome, P::Welcome, P::Address, P::RouterType, P::RouterType } },
    };
    for (const auto &c : cases) {
        for (int page = 0; page < 4; ++page)
            EXPECT_EQ(PageAfterNext(P(page), Answers(c.type)), c.next[page])
                << "Next, type " << int(c.type) << ", page " << page;
        for (int page = 0; page < 5; ++page)
            EXPECT_EQ(PageBeforeBack(P(page)), c.back[page]) << "Back, page " << page;
    }
}

TEST(WizardPagesTest, NextIsBlockedWithoutAnAddressOrAPassword)
{
    const struct {
        const char *address;
        const char *password;
        P page;
        P expected;
    } cases[] = {
        { "192.168.1.254", "", P::Address, P::RouterType },
        { "  192.168.1.254  ", "", P::Address, P::RouterType },
        { "10.0.0.1.7", "", P::Address, P::RouterType }, // nothing after a fourth "." is examined
        { "192.168.1", "", P::Address, P::Address },
        { "192.168.1.256", "", P::Address, P::Address },
        { "", "", P::Address, P::Address },
        { "router.home", "", P::Address, P::Address },
        { "192.168.1.254", "", P::Password, P::Password },
        { "192.168.1.254", "x", P::Password, P::Finish },
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageAfterNext(c.page, Answers(RouterType::TypeA, c.password, c.address)), c.expected)
            << c.address << " / " << c.password;
}

TEST(WizardPagesTest, WelcomeTextLinksToTheHelpPageAndShowsItsAddress)
{
    const QString text = WelcomeText();
    const QString help = RouterHelpAddress();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral("<center><h1><font color=\"blue\">Linewarden Setup Wizard</font></h1></center>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<a href=\"") + help + QStringLiteral("\">") + help + u'<'));
    EXPECT_TRUE(text.endsWith(QStringLiteral("please press <b>Next</b> below.")));
}

} // namespace
