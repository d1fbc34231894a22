// Message boxes of the map windows of the Ruvaze Rezivo and of its commands;
// the other windows hold a platform::WindowPrompts of their own.
#pragma once

#include "platform/Prompts.h"

#include <QString>

class QObject;

namespace GalaxyMessages {

// The editor's own title, and the application title of the dialogs' boxes.
inline const QString kEditorTitle = QStringLiteral("Ruvaze Rezivo");
inline const QString kAppTitle = QStringLiteral("Zorv Editor");

platform::PromptAnswer Ask(const QString& title, const QString& text, platform::PromptIcon icon,
                           platform::PromptButtons buttons = platform::PromptButtons::OK,
                           QObject* owner = nullptr);

} // namespace GalaxyMessages
