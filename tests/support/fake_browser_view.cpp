#include "support/fake_browser_view.h"

void FakeBrowserView::complete(const DocumentSnapshot &document)
{
    m_document = document;
    emit documentComplete();
}

void FakeBrowserView::completeFrame()
{
    emit documentComplete();
}

bool FakeBrowserView::requestNavigation(const QString &url)
{
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    if (!cancel)
        allowed.append(url);
    return !cancel;
}

void FakeBrowserView::navigate(const QString &url, int flags)
{
    navigations.append({ url, flags });
    requestNavigation(url);
}

void FakeBrowserView::setFormFieldValue(int formIndex, const QString &fieldName, const QString &value)
{
    fieldValues.append({ formIndex, fieldName, value });
}

DocumentSnapshot FakeDocument(const QString &url, const QString &bodyHtml)
{
    DocumentSnapshot document;
    document.url = url;
    document.bodyHtml = bodyHtml;
    return document;
}

DocumentSnapshot FakeLoginPage(const QString &url, const QString &digits)
{
    DocumentSnapshot document;
    document.url = url;
    document.bodyHtml = QStringLiteral("<p>Password:</p><form><input type=\"password\" "
                                       "name=password_%1 id=\"pw\"></form>")
                            .arg(digits);
    FormSnapshot form;
    form.elements.append({ QStringLiteral("password_") + digits, QStringLiteral("INPUT") });
    document.forms.append(form);
    document.linkCount = 9;
    return document;
}
