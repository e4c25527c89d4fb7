#include "shell/windows/wizard_pages.h"

#include "base/ipv4_address.h"

WizardPage PageAfterNext(WizardPage page, const WizardAnswers &answers)
{
    switch (page) {
    case WizardPage::Welcome:
        return WizardPage::Address;
    case WizardPage::Address:
        return IsValidIPv4(answers.address) ? WizardPage::RouterType : page;
    case WizardPage::RouterType:
        if (answers.type == RouterType::TypeA)
            return WizardPage::Password;
        return answers.type == RouterType::TypeB ? WizardPage::Finish : page;
    case WizardPage::Password:
        return answers.password.isEmpty() ? page : WizardPage::Finish;
    case WizardPage::Finish:
        break;
    }
    return page;
}

WizardPage PageBeforeBack(WizardPage page)
{
    switch (page) {
    case WizardPage::Welcome:
    case WizardPage::Address:
        return WizardPage::Welcome;
    case WizardPage::RouterType:
        return WizardPage::Address;
    case WizardPage::Password:
    case WizardPage::Finish:
        return WizardPage::RouterType;
    }
    return page;
}

QString FinishPageText(RouterType type)
{
    if (type == RouterType::TypeB)
        return QStringLiteral(
            "Linewarden is unable to log into the Home Hub automatically. When you close this "
            "wizard, enter your password in the BT Home Hub Login page.");
    return QStringLiteral(
        "Linewarden is unable to log into the Home Hub automatically the first time it runs. On this first "
        "run, you will also need to navigate manually to the Home Hub's \"Connection Information\" page. On "
        "subsequent runs, Linewarden should navigate to the correct page automatically. If you selected the "
        "\"Attempt to log into the Home Hub automatically\" checkbox, you should't need to log in either.");
}

QString RouterHelpAddress()
{
    return QStringLiteral("https://www.bt.com/help");
}

QString WelcomeText()
{
    const QString help = RouterHelpAddress();
    return QStringLiteral("<center><h1><font color=\"blue\">Linewarden Setup Wizard</font></h1></center>"
                          "<p><p>Before using <font color=\"blue\">Linewarden</font> for the first time, "
                          "you need to have logged into the Home Hub's Management interface at least once "
                          "and created your own Password. "
                          "<p>If you haven't already done this, or are unsure, please click on the link "
                          "below to<br> open your web "
                          "browser at the BT Help pages and follow steps 1 and 2.<p><center> ")
        + QStringLiteral("<a href=\"") + help + QStringLiteral("\">") + help.toHtmlEscaped()
        + QStringLiteral("</a></center>")
        + QStringLiteral("<p><hr width=\"50%\"><center>Once you have the Home Hub's password, please press "
                         "<b>Next</b> below.");
}
