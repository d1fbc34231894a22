// The message boxes of the ship editor's panels and dialogs: they have no
// title of their own and show the application's.
#pragma once

#include "platform/Prompts.h"

#include <QString>

class QWidget;

namespace ShipMessages {

platform::PromptAnswer Ask(QWidget* owner, const QString& text, platform::PromptIcon icon,
                           platform::PromptButtons buttons = platform::PromptButtons::OK,
                           int defaultButton = 0);

} // namespace ShipMessages
