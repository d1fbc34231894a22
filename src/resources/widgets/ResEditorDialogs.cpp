#include "resources/widgets/ResEditorDialogs.h"

namespace ResEditorDialogs {

void Tell(platform::PromptIcon icon, const QString& text, QObject* owner) {
    platform::Message message;
    message.title = QStringLiteral("Zorv Editor");
    message.text = text;
    message.icon = icon;
    message.owner = owner;
    platform::prompts().ask(message);
}

} // namespace ResEditorDialogs
