// The external 3D viewer, started on a body of the game or on a file; what
// goes wrong is told in a box over the owner window.
#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace mdlCommon {

// Finds folder\NNNNN (the body number with five digits) in the virtual file
// system and opens it in the external 3D viewer.
void ShowModel(QWidget* owner, const QString& folder, int32_t bodyNumber);
// Starts the external 3D viewer on the file; a file inside a catalog is
// first copied into the temporary folder.
void OpenInExternalViewer(QWidget* owner, const QString& path);

} // namespace mdlCommon
