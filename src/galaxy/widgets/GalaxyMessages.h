// Message boxes of the Ruvaze Rezivo and its dialogs, through the prompt layer.
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
// An exclamation box with the application title.
void Warn(const QString& text, QObject* owner = nullptr);

} // namespace GalaxyMessages
