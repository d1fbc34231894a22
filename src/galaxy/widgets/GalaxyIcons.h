// The small pictures of the Ruvaze Rezivo's tree, by icon key: drawn once
// and kept, so no image files are needed.
#pragma once

#include <QIcon>
#include <QString>

namespace GalaxyIcons {

// An empty icon for "" or an unknown key.
QIcon Icon(const QString& key);

} // namespace GalaxyIcons
