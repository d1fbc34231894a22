#include "platform/Prompts.h"

#include "platform/ScriptedPrompts.h"

namespace platform {
namespace {

Prompts* g_installed = nullptr;

Prompts& fallback() {
    static ScriptedPrompts unanswered;
    return unanswered;
}

} // namespace

Prompts& prompts() {
    return g_installed ? *g_installed : fallback();
}

void setPrompts(Prompts* installed) {
    g_installed = installed;
}

ScopedPrompts::ScopedPrompts(Prompts& installed) : m_previous(g_installed) {
    setPrompts(&installed);
}

ScopedPrompts::~ScopedPrompts() {
    setPrompts(m_previous);
}

PromptAnswer WindowPrompts::ask(const QString& text, PromptIcon icon, PromptButtons buttons,
                                int defaultButton) const {
    return prompts().ask({m_title, text, icon, buttons, defaultButton, m_owner});
}

void WindowPrompts::tell(const QString& text, PromptIcon icon) const {
    ask(text, icon);
}

bool WindowPrompts::confirm(const QString& text, PromptIcon icon, int defaultButton) const {
    return ask(text, icon, PromptButtons::YesNo, defaultButton) == PromptAnswer::Yes;
}

QList<PromptAnswer> buttonAnswers(PromptButtons buttons) {
    using A = PromptAnswer;
    switch (buttons) {
    case PromptButtons::OK:
        return {A::OK};
    case PromptButtons::OKCancel:
        return {A::OK, A::Cancel};
    case PromptButtons::AbortRetryIgnore:
        return {A::Abort, A::Retry, A::Ignore};
    case PromptButtons::YesNoCancel:
        return {A::Yes, A::No, A::Cancel};
    case PromptButtons::YesNo:
        return {A::Yes, A::No};
    case PromptButtons::RetryCancel:
        return {A::Retry, A::Cancel};
    }
    return {A::OK};
}

QStringList nameFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // Every file, also one without a dot in its name.
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(u' '));
    }
    return filters;
}

} // namespace platform
