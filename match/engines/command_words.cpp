#include "match/engines/command_words.h"

namespace match::engines {

bool SplitCommandWords(std::string_view text, std::vector<std::string>& words,
                       std::string& reason) {
  words.clear();
  std::string word;
  bool inWord = false;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      ++i;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const size_t close = text.find('\'', i + 1);
      if (close == std::string_view::npos) {
        reason = "unterminated single quote";
        return false;
      }
      word.append(text.substr(i + 1, close - i - 1));
      i = close + 1;
    } else if (c == '"') {
      ++i;
      for (;;) {
        if (i >= text.size()) {
          reason = "unterminated double quote";
          return false;
        }
        if (text[i] == '"') break;
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
          ++i;
        }
        word.push_back(text[i]);
        ++i;
      }
      ++i;
    } else if (c == '\\' && i + 1 < text.size()) {
      word.push_back(text[i + 1]);
      i += 2;
    } else {
      word.push_back(c);
      ++i;
    }
  }
  if (inWord) words.push_back(word);
  if (words.empty()) {
    reason = "empty command";
    return false;
  }
  return true;
}

std::string QuoteCommandWord(std::string_view word) {
  if (!word.empty() && word.find_first_of(" \t'\"\\") == std::string_view::npos) {
    return std::string(word);
  }
  std::string quoted = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\') quoted.push_back('\\');
    quoted.push_back(c);
  }
  quoted.push_back('"');
  return quoted;
}

}  // namespace match::engines
