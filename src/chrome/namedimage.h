#pragma once

// Named images of the application: hand-drawn icons kept as
// resources/images/<name>.svg (or .png) in the resource folder.

#include <QIcon>
#include <QString>

namespace chrome {

// The icon called `name` ("text", "framelayout-selected", ...), or a null
// QIcon when no such image exists or the name could leave the images folder
// (path separators, a leading dot). A name may carry its own extension
// ("default_style.png"); otherwise .svg is preferred to .png. Found icons are
// cached for the life of the process. Main thread only.
QIcon namedImage(const QString& name);

// The file that namedImage() would load, or an empty string.
QString namedImagePath(const QString& name);

} // namespace chrome
