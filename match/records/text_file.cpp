#include "match/records/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace match::records {

bool WriteTextFile(const std::string& path, const std::string& text, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    reason = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    reason = "cannot write " + path;
    return false;
  }
  return true;
}

void RemoveIfEmpty(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_regular_file(path, error) &&
      std::filesystem::file_size(path, error) == 0) {
    std::filesystem::remove(path, error);
  }
}

}  // namespace match::records
