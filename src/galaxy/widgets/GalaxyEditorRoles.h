// Where the Ruvaze Rezivo's tree nodes keep their key and icon key.
#pragma once

#include <qnamespace.h>

namespace GalaxyEditorRoles {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIconRole = Qt::UserRole + 1;
// The ID of the node's object; nothing on a placeholder.
constexpr int kIdRole = Qt::UserRole + 2;

} // namespace GalaxyEditorRoles
