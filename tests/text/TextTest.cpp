// The message table, the language choice and the deferred message list.
#include "support/ScriptedPrompter.h"
#include "text/DeferredMessages.h"
#include "text/Language.h"
#include "text/Messages.h"

#include <gtest/gtest.h>
#include <set>

using namespace zx::text;

TEST(Messages, EveryKeyHasBothLanguagesAndNothingInSlotZero) {
    std::set<std::string_view> english;
    for (int k = 0; k <= static_cast<int>(MessageKey::VerUnknown); ++k) {
        const auto key = static_cast<MessageKey>(k);
        EXPECT_FALSE(message(key, English).empty()) << k;
        EXPECT_FALSE(message(key, Chinese).empty()) << k;
        EXPECT_NE(message(key, English), message(key, Chinese)) << k;
        EXPECT_TRUE(message(key, NoLanguage).empty()) << k;
        EXPECT_TRUE(message(key, 3).empty()) << k;
        english.insert(message(key, English));
    }
    EXPECT_EQ(english.size(), 24u) << "each key has its own text";
}

TEST(Messages, TextsAreExactTyposIncluded) {
    EXPECT_EQ(message(MessageKey::FileError, English), "file error.");
    EXPECT_EQ(message(MessageKey::AllFreqInRange, English), "All frequencys is in of range.");
    EXPECT_EQ(message(MessageKey::FileModified, English), "File has been modify,save it now?");
    EXPECT_EQ(message(MessageKey::WriteConfirm, English),
              "Write data to radio.\r\nDo you wish continue?");
    EXPECT_EQ(message(MessageKey::ReadConfirm, Chinese), "从对讲机读取数据。\r\n是否继续？");
    EXPECT_EQ(message(MessageKey::VerUnknown, Chinese), "未能识别的数据版本!");
    EXPECT_EQ(message(MessageKey::BandDiffers, English),
              "Frequency band type is no same,Use the radio Frequency band?(Yes or No)");
    EXPECT_EQ(messageTable(MessageKey::DataFileLabel)[Chinese], "数据文件");
    EXPECT_EQ(kButtonOk[Chinese], "确定(&O)");
    EXPECT_EQ(kButtonClose[English], "&Close");
    EXPECT_EQ(kChineseName[Chinese], "中文");
}

TEST(Messages, VersionDisplay) {
    EXPECT_EQ(versionForDisplay("V310"), "V3.10");
    EXPECT_EQ(versionForDisplay("V300"), "V3.00");
    EXPECT_EQ(versionForDisplay("V3"), "V3");
}

TEST(Language, ChoiceFromLocaleAndIndex) {
    EXPECT_EQ(languageFromLocaleId("804"), Chinese);
    EXPECT_EQ(languageFromLocaleId("0804"), English) << "compared as written";
    EXPECT_EQ(languageFromLocaleId("409"), English);
    EXPECT_EQ(languageFromLocaleId("404"), English) << "Chinese (Taiwan) is not 804";
    EXPECT_EQ(languageFromLocaleId(""), English);
    EXPECT_EQ(languageFromIndex(2), Chinese);
    EXPECT_EQ(languageFromIndex(1), English);
    EXPECT_EQ(languageFromIndex(0), English);
    EXPECT_EQ(languageFromIndex(7), English);
}

TEST(DeferredMessages, KeepsAtMost1001InOrderAndEmptiesOnShow) {
    zx::test::ScriptedPrompter p;
    for (int i = 0; i < 1001; ++i)
        ASSERT_TRUE(p.deferred().append(std::to_string(i)));
    EXPECT_FALSE(p.deferred().append("dropped"));
    EXPECT_EQ(p.deferred().texts().size(), 1001u);
    p.showDeferred();
    ASSERT_EQ(p.asked.size(), 1001u);
    EXPECT_EQ(p.asked.front().text, "0");
    EXPECT_EQ(p.asked.back().text, "1000");
    EXPECT_EQ(p.asked.back().buttons, Buttons::Ok);
    EXPECT_TRUE(p.deferred().empty());
    EXPECT_TRUE(p.deferred().append("again"));
}
