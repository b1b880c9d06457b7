#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

// What tests read back: a stream or a file whole, and what it holds.
namespace bindsmith::test {

// Everything `in` holds from where it stands to its end.
std::string readAll(std::istream& in);

// A file's bytes, all of them, as they are on the disk; empty if there is
// no such file.
std::string readFile(const std::filesystem::path& path);

// How many times `part` stands in `text`, overlapping ones counted too.
std::size_t occurrences(std::string_view text, std::string_view part);

}  // namespace bindsmith::test
