// Writing a whole text file at once.
#pragma once

#include <string>

namespace match::records {

bool WriteTextFile(const std::string& path, const std::string& text, std::string& reason);

// Removes the file if it exists and is empty (an engine that wrote nothing
// to its error log).
void RemoveIfEmpty(const std::string& path);

}  // namespace match::records
