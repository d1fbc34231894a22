// What the application does with an exception that escapes an event handler:
// it tells the user and the program goes on.
#include "launcher/ZorvApplication.h"
#include "platform/ScriptedPrompts.h"
#include "platform/ZorvError.h"

#include <QCoreApplication>
#include <QEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using testing::HasSubstr;

namespace {

// Throws what it is given from its next event, then takes events again.
class Thrower : public QObject {
public:
    std::function<void()> fault;
    int handled = 0;

    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (auto once = std::exchange(fault, nullptr))
            once();
        ++handled;
        return true;
    }
};

bool deliver(Thrower& receiver) {
    QEvent event(QEvent::User);
    return launcher::deliverShowingErrors(
        [&] { return QCoreApplication::sendEvent(&receiver, &event); });
}

} // namespace

TEST(ZorvApplication, AnEscapedExceptionIsShownAndTheProgramGoesOn) {
    const std::pair<std::function<void()>, QString> cases[] = {
        {[] { throw std::bad_alloc(); }, "Out of memory."},
        {[] { throw platform::ZorvError(5, "Test", "Invalid call"); }, "Invalid call"},
        {[] { throw std::runtime_error("broken"); }, "broken"},
        {[] { throw 42; }, "Unknown error."},
    };
    for (const auto& [fault, text] : cases) {
        SCOPED_TRACE(text.toStdString());
        platform::ScriptedPrompts prompts;
        platform::ScopedPrompts installed(prompts);
        Thrower receiver;
        receiver.fault = fault;
        EXPECT_FALSE(deliver(receiver));
        ASSERT_EQ(prompts.messages().size(), 1u);
        EXPECT_EQ(prompts.messages()[0].icon, platform::PromptIcon::Critical);
        EXPECT_THAT(prompts.messages()[0].text.toStdString(),
                    HasSubstr("Unexpected error:\n\n" + text.toStdString()));
        EXPECT_TRUE(deliver(receiver));
        EXPECT_EQ(receiver.handled, 1);
        EXPECT_EQ(prompts.messages().size(), 1u);
    }
}

// Telling the user needs memory too; when that fails as well, the event
// still ends without ending the program.
TEST(ZorvApplication, APromptThatFailsDoesNotEndTheProgram) {
    class FailingPrompts : public platform::ScriptedPrompts {
        platform::PromptAnswer ask(const platform::Message&) override { throw std::bad_alloc(); }
    } prompts;
    platform::ScopedPrompts installed(prompts);
    Thrower receiver;
    receiver.fault = [] { throw std::bad_alloc(); };
    EXPECT_FALSE(deliver(receiver));
    EXPECT_TRUE(deliver(receiver));
}
