#pragma once

// The help pages that are installed with the program, and the project's
// issue page that the feedback command opens.

#include <QString>
#include <QUrl>

namespace helppages {

// The shipped help page of `language` ("en", "zh_CN"; "zh" and "zh_TW" find
// no page of their own) as a file URL: <resources>/help/<language>/index.html,
// else the English page. An empty URL when not even that is installed.
QUrl helpPage(const QString& language);

// The issue page of the project's repository, as configured when the program
// was built (TESSERA_ISSUES_URL); an empty URL when the build names none.
QUrl issuesPage();

} // namespace helppages
