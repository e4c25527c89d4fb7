#include "sampling/browser_view.h"

std::optional<FormSnapshot> GetDocumentForm(const DocumentSnapshot &document, int formIndex)
{
    if (formIndex < 0 || formIndex >= document.forms.size())
        return std::nullopt;
    return document.forms.at(formIndex);
}

bool WebFormSetFieldValue(BrowserView &view, int formIndex, const QString &fieldName, const QString &value)
{
    const auto document = view.document();
    if (!document)
        return false;
    const auto form = GetDocumentForm(*document, formIndex);
    if (!form)
        return false;
    for (const FormElementSnapshot &element : form->elements) {
        if (element.name != fieldName)
            continue;
        if (element.tagName.compare(u"INPUT", Qt::CaseInsensitive) != 0)
            return false;
        view.setFormFieldValue(formIndex, fieldName, value);
        return true;
    }
    return false;
}
