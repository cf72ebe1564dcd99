// The prompt's history kept across sessions in a file: read into readline's
// history when the prompt starts, each entered line added as it comes, the
// file trimmed to its newest limits::kHistoryLines lines.
//
// The history is a convenience: a file that cannot be read or written never
// stops the prompt. The first failure is noted once on the notes stream and
// the session goes on with its history in memory.
#pragma once

#include <iosfwd>
#include <string>

namespace veskel {

// $XDG_STATE_HOME/veskel/history, or $HOME/.local/state/veskel/history when
// XDG_STATE_HOME is unset, empty or not absolute (those are to be ignored);
// empty when neither gives a folder. Either argument may be null.
std::string historyPath(const char* xdgStateHome, const char* home);

class HistoryFile {
public:
    // An empty path keeps the history in memory only (after one note).
    HistoryFile(std::string path, std::ostream& notes);

    // Caps readline's history and reads the file into it; a missing file
    // is a first session, not a failure.
    void load();

    // Adds the newest line of readline's history to the file, creating the
    // file and its folders (private to the user) the first time.
    void append();

private:
    void fail(int error);
    void fail(const char* reason);

    std::string path_;
    std::ostream& notes_;
    bool created_ = false;
    bool failed_ = false;  // noted once; the file is left alone afterwards
};

}  // namespace veskel
