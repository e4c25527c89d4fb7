#pragma once

#include <QString>
#include <QStringView>

// The rules by which router URLs are learned and compared.

// A URL in the one spelling every comparison uses: percent-escapes of
// unreserved characters decoded ("%5f" is "_"), scheme and host in small
// letters, "/" for an empty path, the default port left out. The browser
// engine may spell the URL it loaded differently from the text we asked
// for; both come out the same here.
QString CanonicalUrl(const QString &url);

// Whether two URLs name the same page (canonical forms equal).
bool SameUrl(const QString &a, const QString &b);

// The Type A statistics page's URL as the program keeps it: cut five
// characters after "page=" and the first "%5f" made "_". A URL without
// "page=" stays as it is.
QString LearnTypeAUrl(const QString &documentUrl);

// The text with the first occurrence of what removed (case-sensitive).
QString RemoveFirst(const QString &text, const QString &what);

// The name of the password field of a Type A login page: "password_" and the
// digits that follow "name=password_" on the page.
QString LoginFieldName(QStringView page);

// Whether needle occurs in the page at (1-based) position 3 or later. The
// login checks ignore a match at the very start of the body.
bool ContainsFromThird(QStringView page, QStringView needle);
