// The prompts the program installs: Qt message boxes and choosers.
#pragma once

#include "platform/Prompts.h"

namespace platform {

class QtPrompts : public Prompts {
public:
    PromptAnswer ask(const Message& message) override;
    bool chooseFile(FileChoice& choice) override;
    QString chooseFolder(QObject* owner, const QString& title) override;
    std::optional<int32_t> chooseColor(QObject* owner, int32_t initial) override;
};

} // namespace platform
