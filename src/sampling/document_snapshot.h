#pragma once

#include <QList>
#include <QString>

#include <optional>

// One element of a form, as the login needs it.
struct FormElementSnapshot {
    QString name;
    QString tagName; // upper case, "INPUT", "SELECT", ...
};

// One form of the document, its named elements in document order.
struct FormSnapshot {
    QList<FormElementSnapshot> elements;
};

// What the program reads of the document the browser view shows, taken at
// once when the document has completed.
struct DocumentSnapshot {
    QString url; // the document's own URL, as the engine spells it
    QString bodyHtml; // the body element's innerHTML; empty without a body
    QList<FormSnapshot> forms;
    int linkCount = 0;
};

// The form at formIndex (0-based) of the document, if there is one.
std::optional<FormSnapshot> GetDocumentForm(const DocumentSnapshot &document, int formIndex);
