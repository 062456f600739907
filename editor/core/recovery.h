// Copies of modified documents, so that nothing typed is lost when the editor ends
// unexpectedly, and the policy of when to write them.
//
// Every editor run that uses a recovery folder claims it with a lock file of its own
// ("<run>.lock", held open while the run lasts; the system lets it go when the process
// ends, however it ends). A document's copy is one file, "<id>.recovery", whose id
// starts with its run's name: a few lines of header (the document's path, title, time
// written and size, escaped as in text_escape.h) and a blank line, then the document's
// bytes. Each copy is written in one step (the host's WriteFile), so a copy on disk is
// always a whole one; a file that is not (a header without all its bytes, bad header
// text) is passed over.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnel::editor {

struct RecoveredDocument {
    std::string id;                  // the copy's id, as it was written
    std::optional<std::string> path; // the file the document belongs to; none when untitled
    std::string title;
    std::chrono::system_clock::time_point written;
    std::uint64_t size = 0;          // the number of bytes of the document
};

class RecoveryStore {
public:
    // Claims `folder` for this run, making it when it is missing. Lock files of runs
    // that have ended and left no copies are removed.
    explicit RecoveryStore(std::string folder);
    // Gives up the claim. The run's copies stay: an editor that ends without removing
    // them has not ended cleanly.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // False when the folder could not be made or claimed; then nothing can be written.
    bool Ready() const { return ready_; }
    const std::string& Folder() const { return folder_; }

    // A new id for a document of this run (unique among all runs).
    std::string NewId();

    // Writes the copy of document `id` (an id of this run), replacing its last copy in
    // one step. False, with the reason in *error when given, when it cannot (also for a
    // path and title that together escape to more than about 128 KB).
    bool Write(const std::string& id, const std::string& bytes, const std::optional<std::string>& path,
               const std::string& title,
               std::chrono::system_clock::time_point written = std::chrono::system_clock::now(),
               std::string* error = nullptr);
    // Removes the copy of a document of this run: it was saved, closed, or brought back
    // to its saved text. Nothing happens for an id without a copy.
    void Remove(const std::string& id);
    // Removes every copy of this run: the editor ends cleanly.
    void RemoveAll();

    // The copies left behind by runs that have ended, oldest first; copies of this run,
    // of runs still going (another editor using the folder) and files that are not
    // whole copies are not listed.
    std::vector<RecoveredDocument> LeftBehind() const;
    // The bytes of a copy as they were written; nullopt with the reason in *error when
    // given, when it is gone or no longer whole.
    std::optional<std::string> Read(const RecoveredDocument& document, std::string* error = nullptr) const;
    // Takes a copy left behind into this run: answers its bytes and puts in *newId the
    // id under which the document's copies are kept from now on. The copy stays on
    // disk, as the new id's, until that id is removed, so a second crash loses nothing.
    // nullopt, changing nothing, when it cannot be read or moved.
    std::optional<std::string> Take(const RecoveredDocument& document, std::string* newId,
                                    std::string* error = nullptr);
    // Deletes a copy left behind, which the user does not want back.
    void Discard(const RecoveredDocument& document);

private:
    std::string CopyPath(const std::string& id) const;
    bool IsOwnId(const std::string& id) const;

    std::string folder_;
    std::string run_;     // this run's name; ids are "<run>-<number>"
    std::intptr_t lock_;  // the open lock file (a descriptor or a handle)
    unsigned long nextNumber_ = 1;
    bool ready_ = false;
};

// When a document's copy is due: after `quiet` without an edit (a pause in typing), and
// during edits that go on without such a pause once `longest` has passed since the
// first edit not yet copied (or since the last copy was taken, when edits went on
// meanwhile). A copy is written once per burst of edits: after it is written, or the
// document is saved, nothing is due until the next edit. Times are handed in, never
// read.
class RecoveryTimer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kDefaultQuiet{3000};
    static constexpr std::chrono::milliseconds kDefaultLongest{30000};

    explicit RecoveryTimer(std::chrono::milliseconds quiet = kDefaultQuiet,
                           std::chrono::milliseconds longest = kDefaultLongest);

    // The document changed (typing, a paste, an undo).
    void Edited(Clock::time_point at);
    // The document as it was at `at` matches its file (saved, reverted, or undone to
    // its saved text), or was closed: its copy is removed, and nothing is due until the
    // next edit.
    void Saved(Clock::time_point at);
    // A copy was taken of the document as it was at `at` (and written); edits after
    // that are still to be copied.
    void Written(Clock::time_point at);

    // True when the copy is due at `now`.
    bool Due(Clock::time_point now) const;
    // When the copy will be due if no edit comes before; nullopt when none is pending.
    std::optional<Clock::time_point> DueAt() const;

private:
    std::chrono::milliseconds quiet_;
    std::chrono::milliseconds longest_;
    bool pending_ = false;
    Clock::time_point firstEdit_; // the first edit not yet copied
    Clock::time_point lastEdit_;
};

} // namespace varnel::editor
