// Where the Ruvaze Rezivo's tree nodes keep their key and icon key.
#pragma once

#include <qnamespace.h>

namespace GalaxyEditorRoles {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kIconRole = Qt::UserRole + 1;
// The address of the node's object, only to forget the node with it.
constexpr int kObjectRole = Qt::UserRole + 2;

} // namespace GalaxyEditorRoles
