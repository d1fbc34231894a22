#include "ships/widgets/ShipMessages.h"

#include <QWidget>

namespace ShipMessages {

platform::PromptAnswer Ask(QWidget* owner, const QString& text, platform::PromptIcon icon,
                           platform::PromptButtons buttons, int defaultButton) {
    return platform::prompts().ask(
        {QStringLiteral("Zorv Editor"), text, icon, buttons, defaultButton, owner});
}

} // namespace ShipMessages
