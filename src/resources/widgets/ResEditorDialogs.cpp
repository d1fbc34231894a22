#include "resources/widgets/ResEditorDialogs.h"

namespace ResEditorDialogs {

void Tell(platform::PromptIcon icon, const QString& text, QObject* owner) {
    platform::prompts().ask(
        {QStringLiteral("Zorv Editor"), text, icon, platform::PromptButtons::OK, 0, owner});
}

} // namespace ResEditorDialogs
