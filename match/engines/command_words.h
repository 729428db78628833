// An engine command as the user types it, split into the program and its
// arguments without a shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace match::engines {

// Splits at blanks and tabs. Single quotes keep their text as it is; double
// quotes keep blanks, and a backslash inside them escapes '"' and '\'; outside
// quotes a backslash escapes any character. Returns false with a reason for an
// unterminated quote or an empty command.
bool SplitCommandWords(std::string_view text, std::vector<std::string>& words, std::string& reason);

// The word as SplitCommandWords reads it back whole: unchanged when it has no
// blank, quote or backslash, otherwise in double quotes with '"' and '\'
// escaped.
std::string QuoteCommandWord(std::string_view word);

}  // namespace match::engines
