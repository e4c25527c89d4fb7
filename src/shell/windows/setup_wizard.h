#pragma once

#include "base/router_type.h"
#include "sampling/router_address_finder.h"
#include "shell/windows/wizard_pages.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedLayout;
class QStackedWidget;
class QTextBrowser;
class TForm1;

// The setup wizard: the router's address (typed, the default, or found in
// the routing table), its model and, for Type A, its password and whether to
// log in by itself. "Finish" puts the answers into the settings, which the
// main window's controls follow, saves them and loads the router page;
// "Cancel" changes nothing. Created once as a child of the main window and
// reused; each opening starts on the first page with the answers in force.
class TForm4 final : public QDialog {
    Q_OBJECT

public:
    // query is the command "Find" asks for the default route.
    explicit TForm4(TForm1 &mainWindow, RouteQuery query = RouteQuery());
    ~TForm4() override;
    Q_DISABLE_COPY_MOVE(TForm4)

    // Who shows the wizard's messages; a message box unless replaced.
    void setTell(std::function<void(const QString &text)> tell) { m_tell = std::move(tell); }

    // Placed centred over the main window and shown modally; returns when
    // the wizard is closed.
    int ShowModal();
    QPoint centredPosition() const;
    WizardPage currentPage() const;
    bool isFinding() const { return m_finder->isRunning(); }

    QStackedWidget *PageControl1 = nullptr;
    QFrame *Panel2 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet4 = nullptr;
    QWidget *TabSheet2 = nullptr;
    QWidget *TabSheet6 = nullptr;
    QWidget *TabSheet3 = nullptr;
    QTextBrowser *HTML = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *edAddress = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *boxType = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label9 = nullptr;
    QCheckBox *cbAttemptLogin = nullptr;
    QLineEdit *edPassword = nullptr;
    QCheckBox *cbShowplain = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    // Page 0.
    QPushButton *Button2 = nullptr; // Next
    QPushButton *Button1 = nullptr; // Cancel
    // Page 1.
    QPushButton *Button11 = nullptr; // Back
    QPushButton *Button12 = nullptr; // Next
    QPushButton *Button3 = nullptr; // Cancel
    QPushButton *Button14 = nullptr; // Find
    QPushButton *Button15 = nullptr; // Default
    // Page 2.
    QPushButton *Button4 = nullptr; // Back
    QPushButton *Button5 = nullptr; // Next
    QPushButton *Button6 = nullptr; // Cancel
    // Page 3.
    QPushButton *Button10 = nullptr; // Back
    QPushButton *Button16 = nullptr; // Next
    QPushButton *Button9 = nullptr; // Cancel
    // Page 4.
    QPushButton *Button7 = nullptr; // Back
    QPushButton *Button8 = nullptr; // Finish
    QPushButton *Button13 = nullptr; // Cancel

    // Every opening: the router type, address and login choice in force,
    // and the first page.
    void FormShow();
    void btnNextClick();
    void btnBackClick();
    void btnCancelClick();
    // "Default": the router's usual address.
    void Button15Click();
    // "Find": the default route's gateway, looked up without waiting.
    void Button14Click();
    // "Finish": the answers into the settings and the controls bound to
    // them, saved, and the router page loaded.
    void Button8Click();
    void cbShowplainClick();

protected:
    void done(int result) override;

private:
    QWidget *buildWelcomePage();
    QWidget *buildAddressPage();
    QWidget *buildTypePage();
    QWidget *buildPasswordPage();
    QWidget *buildFinishPage();
    QWidget *buttonRow(std::initializer_list<QPushButton *> buttons);
    QPushButton *button(const QString &caption, void (TForm4::*handler)());
    void showPage(WizardPage page);
    WizardAnswers answers() const;
    void routerAddressFound(const FoundRouterAddress &found);
    void tell(const QString &text);

    TForm1 &m_main;
    RouterAddressFinder *m_finder = nullptr; // child of this
    QStackedLayout *m_buttonRows = nullptr;
    std::function<void(const QString &)> m_tell;
};

// Creates the setup wizard over the main window and opens it from the
// "Setup Wizard..." item and, while there is no settings file, 750 ms after
// the window becomes active.
TForm4 *AddSetupWizard(TForm1 &window);
