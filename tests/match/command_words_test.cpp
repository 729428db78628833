#include "match/engines/command_words.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace match::engines;

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> words;
  std::string reason;
  EXPECT_TRUE(SplitCommandWords(text, words, reason)) << text << ": " << reason;
  return words;
}

TEST(CommandWords, QuotesAndEscapesGroupWhatTheUserMeant) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(Split("  engine\t--time-ms 475 "), (Words{"engine", "--time-ms", "475"}));
  EXPECT_EQ(Split("'/my dir/engine' \"a \\\"b\\\" \\\\\" c\\ d"),
            (Words{"/my dir/engine", "a \"b\" \\", "c d"}));
  EXPECT_EQ(Split("x'y z'\"w\""), (Words{"xy zw"}));

  std::vector<std::string> words;
  std::string reason;
  for (const char* bad : {"", "   ", "'open", "a \"open"}) {
    EXPECT_FALSE(SplitCommandWords(bad, words, reason)) << bad;
    EXPECT_FALSE(reason.empty()) << bad;
  }
}

TEST(CommandWords, AQuotedWordSplitsBackToItselfAlone) {
  // Paths of programs the runner starts itself, as a user's folders may name them.
  for (const std::string word : {"/usr/bin/engine", "/home/a b/engine", "/it's/here", "say \"hi\"",
                                 "back\\slash", "tab\tin", "", "'\"\\ "}) {
    EXPECT_EQ(Split(QuoteCommandWord(word) + " --time-ms 1000"),
              (std::vector<std::string>{word, "--time-ms", "1000"}))
        << QuoteCommandWord(word);
  }
  EXPECT_EQ(QuoteCommandWord("/usr/bin/engine"), "/usr/bin/engine");
}

}  // namespace
