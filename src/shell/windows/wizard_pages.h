#pragma once

#include "base/router_type.h"

#include <QString>

// The five pages of the setup wizard, in their order.
enum class WizardPage { Welcome = 0, Address = 1, RouterType = 2, Password = 3, Finish = 4 };

// What the wizard's boxes hold when a button is pressed.
struct WizardAnswers {
    QString address;
    RouterType type = RouterType::None;
    QString password;
};

// The page "Next" leads to; the same page while the answers there do not
// allow going on (no valid IPv4 address, no type chosen, no password). Only
// Type A has the password page.
WizardPage PageAfterNext(WizardPage page, const WizardAnswers &answers);
// The page "Back" leads to: the one before, except that the last page goes
// back to the router type for both types.
WizardPage PageBeforeBack(WizardPage page);

// The text of the last page for the chosen router type.
QString FinishPageText(RouterType type);

// The router maker's help page on setting the router password.
QString RouterHelpAddress();
// The welcome page's HTML, with a link to the help page.
QString WelcomeText();
