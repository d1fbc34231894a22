#include "galaxy/widgets/GalaxyMessages.h"

namespace GalaxyMessages {

platform::PromptAnswer Ask(const QString& title, const QString& text, platform::PromptIcon icon,
                           platform::PromptButtons buttons, QObject* owner) {
    return platform::WindowPrompts(title, owner).ask(text, icon, buttons);
}

} // namespace GalaxyMessages
