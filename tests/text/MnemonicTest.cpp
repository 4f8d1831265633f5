// Alt+letters of captions: reading them, putting them in both languages, and sharing them
// out among the controls of one window.
#include "text/Mnemonic.h"

#include "text/Language.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace zx::text;

TEST(Mnemonic, ReadsAndRemovesTheLetterOfACaption) {
    EXPECT_EQ(mnemonicLetter("&File"), 'F');
    EXPECT_EQ(mnemonicLetter("Save &as"), 'A');
    EXPECT_EQ(mnemonicLetter("文件(&F)"), 'F');
    EXPECT_EQ(mnemonicLetter("Blue&&Green"), 0) << "a doubled '&' is text";
    EXPECT_EQ(mnemonicLetter("Port"), 0);
    EXPECT_EQ(mnemonicLetter("Port&"), 0);
    EXPECT_EQ(withoutMnemonic("Save &As"), "Save As");
    EXPECT_EQ(withoutMnemonic("文件(&F)"), "文件");
    EXPECT_EQ(withoutMnemonic("Blue&&Green"), "Blue&Green");
    // Without the mark, but still a caption: a '&' of the text stays doubled.
    EXPECT_EQ(withoutMnemonicMark("R&&&D"), "R&&D");
    EXPECT_EQ(withoutMnemonicMark("端口(&P)"), "端口");
    EXPECT_EQ(mnemonicLetter(withMnemonic("R&&D", 'D', English)), 'D');
    EXPECT_EQ(withMnemonic("R&&D", 'D', English), "R&&&D");
}

TEST(Mnemonic, PutsTheLetterAsEachLanguageShowsIt) {
    EXPECT_EQ(withMnemonic("Select Frequency Band", 'F', English), "Select &Frequency Band");
    EXPECT_EQ(withMnemonic("RB Frequecy", 'R', English), "&RB Frequecy");
    // Inside a word when no word starts with it; appended when the caption lacks it.
    EXPECT_EQ(withMnemonic("Scan", 'A', English), "Sc&an");
    EXPECT_EQ(withMnemonic("BUSY", 'Q', English), "BUSY(&Q)");
    EXPECT_EQ(withMnemonic("频段选择", 'F', Chinese), "频段选择(&F)");
    // A caption of plain ASCII shown in Chinese is marked as in English.
    EXPECT_EQ(withMnemonic("MIC Gain", 'G', Chinese), "MIC &Gain");
    // A letter the caption has already stays.
    EXPECT_EQ(withMnemonic("&OK", 'K', English), "&OK");
    EXPECT_EQ(withMnemonic("确定(&O)", 'K', Chinese), "确定(&O)");
    EXPECT_EQ(withMnemonic("Port", 0, English), "Port");
}

TEST(Mnemonic, SharesOutLettersOnePerControlAroundTheFrame) {
    const std::vector<char> letters = chooseMnemonics(
        {"Select Frequency Band", "Band", "Emergency Channel A", "&Close"}, "FMBEPSVWH");
    ASSERT_EQ(letters.size(), 4u);
    EXPECT_EQ(letters[3], 'C') << "its own letter";
    EXPECT_EQ(letters[0], 'L') << "S, F, B and E are the menu bar's: the first free letter in it";
    EXPECT_EQ(letters[1], 'A') << "B is taken: a letter inside the word";
    EXPECT_NE(letters[2], 'C') << "the close button has C";
    EXPECT_NE(letters[2], 'E');
    std::set<char> distinct(letters.begin(), letters.end());
    EXPECT_EQ(distinct.size(), letters.size());

    // A letter a caption brings that an earlier one has, or the frame, is chosen again.
    const std::vector<char> clash = chooseMnemonics({"&Radios", "B&rowse", "&File"}, "F");
    EXPECT_EQ(clash, (std::vector<char>{'R', 'B', 'I'}));

    // Two captions of the same letters still get a letter each.
    const std::vector<char> same = chooseMnemonics({"Busy", "Busy", "Busy"}, "");
    EXPECT_EQ(std::set<char>(same.begin(), same.end()).size(), 3u);
}

TEST(Mnemonic, MoreCaptionsThanLettersShareButNeverTakeTheFrames) {
    std::vector<std::string> captions(40, "Delay Time");
    const std::vector<char> letters = chooseMnemonics(captions, "FMBEPSVWH");
    std::set<char> distinct;
    for (char c : letters) {
        ASSERT_NE(c, 0);
        EXPECT_EQ(std::string("FMBEPSVWH").find(c), std::string::npos) << c;
        distinct.insert(c);
    }
    EXPECT_EQ(distinct.size(), 26u - 9u) << "every free letter is used before any is shared";
    // The rest share the caption's own letters (D, L, A, Y, T, I; E and M are the frame's),
    // evenly; a letter from outside the caption goes to one control only.
    std::vector<long> own;
    for (char c : std::string("DLAYTI"))
        own.push_back(std::count(letters.begin(), letters.end(), c));
    EXPECT_LE(*std::max_element(own.begin(), own.end()) - *std::min_element(own.begin(), own.end()),
              1);
    for (char c : distinct)
        if (std::string("DLAYTI").find(c) == std::string::npos)
            EXPECT_EQ(std::count(letters.begin(), letters.end(), c), 1) << c;
}
