// The example scripts a learner can open: where they are, and what the
// Examples window shows of each. No window here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct Example {
    std::string name;                 // "tree"
    std::filesystem::path script;     // .../tree.fs
    std::filesystem::path thumbnail;  // .../thumbs/tree.png; may be missing
    std::string line;                 // one line about it, from its first comment
};

// The first of the folders that holds example scripts (*.fs), or empty.
// The program looks where it is installed, relative to its own folder; a
// build tree links the sources' examples at that place beside its program.
std::filesystem::path findExamplesFolder(const std::vector<std::filesystem::path>& candidates);
std::vector<std::filesystem::path> examplesFolderCandidates();

// The examples of a folder, by name. Each one's line is its first comment
// paragraph ("\ tree.fs: a tree that grows ..."), without the file name,
// cut at a word to at most `maxLength` bytes with "..." when longer.
std::vector<Example> listExamples(const std::filesystem::path& folder, std::size_t maxLength);

// The same line from a script's text.
std::string exampleLine(std::string_view script, std::string_view fileName, std::size_t maxLength);

}  // namespace app
