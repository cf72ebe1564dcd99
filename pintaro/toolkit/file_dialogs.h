// The platform's open and save file choosers. Each keeps its fields between
// runs; set them, run, read the result.
#pragma once

#include <string>
#include <vector>

namespace toolkit {

class Window;

// A choice of the files shown: "Veskel scripts" with "*.fs".
struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};

struct OpenFileDialog {
    std::string fTitle;
    std::string fDirectory;  // empty: the platform's choice
    bool fMultiple = false;
    // Offered in this order, the first chosen; empty: every file, no choice.
    std::vector<FileFilter> fFilters;
    std::vector<std::string> fFiles;  // the result; empty when cancelled

    // Blocks in the platform's modal loop until a choice or a cancel.
    void run(Window* parent = nullptr);
};

struct SaveFileDialog {
    std::string fTitle;
    std::string fDirectory;
    std::string fDefaultName;       // proposed when not empty
    std::string fDefaultExtension;  // kept for the caller; the dialog does not use it
    std::string fFile;              // the result; empty when cancelled

    // Blocks in the platform's modal loop. No confirmation is asked before
    // an existing file is chosen: the caller's save replaces it.
    void run(Window* parent = nullptr);
};

}  // namespace toolkit
