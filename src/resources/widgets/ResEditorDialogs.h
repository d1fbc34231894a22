// What the dialogs of the Text Resource Editor share: their messages carry
// the program's own title.
#pragma once

#include "platform/Prompts.h"

#include <QString>

class QObject;

namespace ResEditorDialogs {

void Tell(platform::PromptIcon icon, const QString& text, QObject* owner);

} // namespace ResEditorDialogs
