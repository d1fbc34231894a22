#include "galaxy/widgets/GalaxyMessages.h"

namespace GalaxyMessages {

platform::PromptAnswer Ask(const QString& title, const QString& text, platform::PromptIcon icon,
                           platform::PromptButtons buttons, QObject* owner) {
    platform::Message message;
    message.title = title;
    message.text = text;
    message.icon = icon;
    message.buttons = buttons;
    message.owner = owner;
    return platform::prompts().ask(message);
}

void Warn(const QString& text, QObject* owner) {
    Ask(kAppTitle, text, platform::PromptIcon::Exclamation, platform::PromptButtons::OK, owner);
}

} // namespace GalaxyMessages
