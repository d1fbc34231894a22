#include "platform/ScriptedPrompts.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Prompts, FilterPairsBecomeNameFilters) {
    EXPECT_EQ(
        nameFilters("Zorv T files (*.txt; *.pck; *.cat)|*.txt;*.pck;*.cat|All files (*.*)|*.*"),
        QStringList(
            {"Zorv T files (*.txt; *.pck; *.cat) (*.txt *.pck *.cat)", "All files (*.*) (*)"}));
    EXPECT_TRUE(nameFilters("").isEmpty());
    EXPECT_TRUE(nameFilters("description without patterns").isEmpty());
}

TEST(Prompts, ScriptedAnswersAreRecordedAndUnscriptedOnesTakeTheDefault) {
    ScriptedPrompts scripted;
    ScopedPrompts installed(scripted);
    scripted.answer(PromptAnswer::No);
    scripted.answerFolder("/games/zorv");

    EXPECT_EQ(
        prompts().ask({"Ruvaze Rezivo", "Save?", PromptIcon::Question, PromptButtons::YesNoCancel}),
        PromptAnswer::No);
    EXPECT_EQ(prompts().ask({"T", "Modify?", PromptIcon::Exclamation, PromptButtons::YesNo, 1}),
              PromptAnswer::No);
    EXPECT_EQ(prompts().ask({"T", "Done", PromptIcon::Information}), PromptAnswer::OK);
    EXPECT_EQ(prompts().chooseFolder(nullptr, "Pick"), "/games/zorv");
    EXPECT_EQ(prompts().chooseFolder(nullptr, "Again"), "");
    FileChoice choice{false, "Open", "All (*.*)|*.*", "/start", "", 1};
    EXPECT_FALSE(prompts().chooseFile(choice));
    EXPECT_EQ(prompts().chooseColor(nullptr, 0xFF0000), std::nullopt);

    ASSERT_EQ(scripted.asked().size(), 7u);
    EXPECT_EQ(scripted.asked()[0].title, "Ruvaze Rezivo");
    EXPECT_EQ(scripted.asked()[0].icon, PromptIcon::Question);
    EXPECT_EQ(scripted.asked()[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(scripted.asked()[5].file.initDir, "/start");
    EXPECT_EQ(scripted.messages().size(), 3u);
}

TEST(Prompts, ScopedPromptsRestoreThePreviousOnes) {
    ScriptedPrompts outer;
    ScopedPrompts installOuter(outer);
    {
        ScriptedPrompts inner;
        ScopedPrompts installInner(inner);
        prompts().ask({"inner", "x"});
        EXPECT_EQ(inner.asked().size(), 1u);
    }
    prompts().ask({"outer", "y"});
    ASSERT_EQ(outer.asked().size(), 1u);
    EXPECT_EQ(outer.asked()[0].title, "outer");
}

TEST(Prompts, AWindowsPromptsCarryItsTitleAndConfirmOnlyOnYes) {
    ScriptedPrompts scripted;
    ScopedPrompts installed(scripted);
    const WindowPrompts window("DIV Avuruz");
    scripted.answer(PromptAnswer::Retry);
    scripted.answer(PromptAnswer::OK);
    scripted.answer(PromptAnswer::Yes);
    scripted.answer(PromptAnswer::No);

    EXPECT_EQ(window.ask("Again?", PromptIcon::Critical, PromptButtons::RetryCancel),
              PromptAnswer::Retry);
    window.tell("Done", PromptIcon::Information);
    EXPECT_TRUE(window.confirm("Delete?"));
    EXPECT_FALSE(window.confirm("Replace?", PromptIcon::Exclamation));
    // Unscripted, a question takes its default button.
    EXPECT_FALSE(window.confirm("Modify?", PromptIcon::Exclamation, 1));

    const auto asked = scripted.messages();
    ASSERT_EQ(asked.size(), 5u);
    for (const auto& question : asked)
        EXPECT_EQ(question.title, "DIV Avuruz");
    EXPECT_EQ(asked[0].buttons, PromptButtons::RetryCancel);
    EXPECT_EQ(asked[1].buttons, PromptButtons::OK);
    EXPECT_EQ(asked[1].icon, PromptIcon::Information);
    EXPECT_EQ(asked[2].buttons, PromptButtons::YesNo);
    EXPECT_EQ(asked[2].icon, PromptIcon::Question);
    EXPECT_EQ(asked[3].icon, PromptIcon::Exclamation);
}
