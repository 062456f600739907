#include "recovery.h"

#include "file_operations.h"
#include "file_stamp.h"
#include "file_system.h"
#include "text_escape.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace varnel::editor {

namespace {

constexpr const char* kCopySuffix = ".recovery";
constexpr const char* kLockSuffix = ".lock";
constexpr const char* kHeading = "varnel recovery copy 1";
// The longest header a reader looks for: room for a path of 32767 characters escaped,
// and a title of as many.
constexpr std::size_t kMaxHeader = 4 * 32768 + 1024;
constexpr std::intptr_t kNoLock = -1;

void SetError(std::string* error, const std::string& reason)
{
    if (error != nullptr)
        *error = reason;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text)
{
    Number value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The run an id belongs to: the id without its last "-" and number.
std::string RunOf(const std::string& id)
{
    const std::size_t dash = id.rfind('-');
    return dash == std::string::npos ? std::string() : id.substr(0, dash);
}

// A name for this run that no other run has: the time, the process and a count.
std::string NewRunName()
{
    static std::atomic<unsigned> count{0};
    const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
#if defined(_WIN32)
    const unsigned long process = GetCurrentProcessId();
#else
    const unsigned long process = static_cast<unsigned long>(getpid());
#endif
    char name[64];
    std::snprintf(name, sizeof name, "%llx-%lx-%x", static_cast<unsigned long long>(now), process,
                  count.fetch_add(1));
    return name;
}

// The lock file of a run: held open for as long as the run lasts.
#if defined(_WIN32)

std::intptr_t ClaimLock(const std::string& path)
{
    // Nobody else may open it, and it goes when its last handle closes, also when the
    // process is ended.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return file == INVALID_HANDLE_VALUE ? kNoLock : reinterpret_cast<std::intptr_t>(file);
}

void ReleaseLock(std::intptr_t lock, const std::string&)
{
    CloseHandle(reinterpret_cast<HANDLE>(lock));
}

bool RunIsGoing(const std::string& lockPath)
{
    HANDLE file = CreateFileA(lockPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        return code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND;
    }
    CloseHandle(file);
    return false;
}

void RemoveLockOfEndedRun(const std::string& lockPath)
{
    HANDLE file = CreateFileA(lockPath.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

#else

std::intptr_t ClaimLock(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return kNoLock;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        unlink(path.c_str());
        return kNoLock;
    }
    return fd;
}

void ReleaseLock(std::intptr_t lock, const std::string& path)
{
    unlink(path.c_str());
    close(static_cast<int>(lock));
}

// A run's lock is held for as long as the run lasts; the system lets it go when the
// process ends. `remove` deletes the lock file of a run found ended.
bool RunIsGoing(const std::string& lockPath, bool remove = false)
{
    const int fd = open(lockPath.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool going = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!going && remove)
        unlink(lockPath.c_str());
    close(fd);
    return going;
}

void RemoveLockOfEndedRun(const std::string& lockPath)
{
    RunIsGoing(lockPath, true);
}

#endif

struct Header {
    RecoveredDocument document;
    std::size_t length = 0; // of the header with its blank line
};

std::string FormatHeader(const std::optional<std::string>& path, const std::string& title,
                         std::chrono::system_clock::time_point written, std::size_t size)
{
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(written.time_since_epoch()).count();
    std::string header = std::string(kHeading) + "\n";
    header += "title=" + EscapeText(title) + "\n";
    if (path)
        header += "path=" + EscapeText(*path) + "\n";
    header += "written=" + std::to_string(milliseconds) + "\n";
    header += "size=" + std::to_string(size) + "\n\n";
    return header;
}

// Reads the header at the start of `text`; nullopt when it is not one. Lines it does
// not know are passed over; title, written and size must be there.
std::optional<Header> ParseHeader(std::string_view text)
{
    const std::size_t end = text.find("\n\n");
    if (end == std::string_view::npos)
        return std::nullopt;
    Header header;
    header.length = end + 2;
    std::string_view rest = text.substr(0, end + 1);
    bool first = true;
    bool hasTitle = false;
    bool hasTime = false;
    bool hasSize = false;
    while (!rest.empty()) {
        const std::size_t lineEnd = rest.find('\n');
        const std::string_view line = rest.substr(0, lineEnd);
        rest.remove_prefix(lineEnd + 1);
        if (first) {
            if (line != kHeading)
                return std::nullopt;
            first = false;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "title" || key == "path") {
            std::optional<std::string> text = UnescapeText(value);
            if (!text)
                return std::nullopt;
            if (key == "title") {
                header.document.title = std::move(*text);
                hasTitle = true;
            } else {
                header.document.path = std::move(*text);
            }
        } else if (key == "written") {
            const std::optional<std::int64_t> milliseconds = ParseNumber<std::int64_t>(value);
            if (!milliseconds)
                return std::nullopt;
            header.document.written = std::chrono::system_clock::time_point(
                std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::milliseconds(*milliseconds)));
            hasTime = true;
        } else if (key == "size") {
            const std::optional<std::uint64_t> size = ParseNumber<std::uint64_t>(value);
            if (!size)
                return std::nullopt;
            header.document.size = *size;
            hasSize = true;
        }
    }
    if (first || !hasTitle || !hasTime || !hasSize)
        return std::nullopt;
    return header;
}

// The start of a file, at most `limit` bytes.
std::optional<std::string> ReadStart(const std::string& path, std::size_t limit)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return std::nullopt;
    std::string bytes(limit, '\0');
    const std::size_t got = std::fread(bytes.data(), 1, limit, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

// The header of the copy at `path` when the file is a whole copy: its header reads and
// the bytes after it are as many as it says.
std::optional<Header> ReadWholeCopyHeader(const std::string& path)
{
    const std::optional<std::string> start = ReadStart(path, kMaxHeader);
    if (!start)
        return std::nullopt;
    std::optional<Header> header = ParseHeader(*start);
    if (!header)
        return std::nullopt;
    const FileStamp stamp = ReadFileStamp(path);
    if (!stamp.exists || stamp.size < header->length || stamp.size - header->length != header->document.size)
        return std::nullopt;
    return header;
}

} // namespace

// ---------------------------------------------------------------------------------
// The store.

RecoveryStore::RecoveryStore(std::string folder)
    : folder_(std::move(folder)), run_(NewRunName()), lock_(kNoLock)
{
    if (!MakeFolders(folder_))
        return;
    lock_ = ClaimLock(JoinPath(folder_, run_ + kLockSuffix));
    ready_ = lock_ != kNoLock;
    // Lock files of runs that have ended, with no copy left, are of no use any more.
    std::vector<std::string> runsWithCopies;
    for (const std::string& name : ListFiles(folder_, kCopySuffix))
        runsWithCopies.push_back(RunOf(name.substr(0, name.size() - std::strlen(kCopySuffix))));
    for (const std::string& name : ListFiles(folder_, kLockSuffix)) {
        const std::string run = name.substr(0, name.size() - std::strlen(kLockSuffix));
        if (run != run_ && std::find(runsWithCopies.begin(), runsWithCopies.end(), run) == runsWithCopies.end())
            RemoveLockOfEndedRun(JoinPath(folder_, name));
    }
}

RecoveryStore::~RecoveryStore()
{
    if (lock_ != kNoLock)
        ReleaseLock(lock_, JoinPath(folder_, run_ + kLockSuffix));
}

std::string RecoveryStore::NewId()
{
    return run_ + "-" + std::to_string(nextNumber_++);
}

std::string RecoveryStore::CopyPath(const std::string& id) const
{
    return JoinPath(folder_, id + kCopySuffix);
}

bool RecoveryStore::IsOwnId(const std::string& id) const
{
    if (id.size() <= run_.size() + 1 || id.compare(0, run_.size(), run_) != 0 || id[run_.size()] != '-')
        return false;
    return std::all_of(id.begin() + static_cast<std::ptrdiff_t>(run_.size()) + 1, id.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

bool RecoveryStore::Write(const std::string& id, const std::string& bytes, const std::optional<std::string>& path,
                          const std::string& title, std::chrono::system_clock::time_point written,
                          std::string* error)
{
    if (!ready_) {
        SetError(error, "the recovery folder cannot be used");
        return false;
    }
    if (!IsOwnId(id)) {
        SetError(error, "not a document id of this run");
        return false;
    }
    std::string copy = FormatHeader(path, title, written, bytes.size());
    // A header longer than a reader looks for would hide the copy.
    if (copy.size() > kMaxHeader) {
        SetError(error, "the title or path is too long to keep");
        return false;
    }
    copy += bytes;
    return WriteFile(CopyPath(id), copy, error);
}

void RecoveryStore::Remove(const std::string& id)
{
    if (IsOwnId(id))
        RemoveFile(CopyPath(id));
}

void RecoveryStore::RemoveAll()
{
    for (const std::string& name : ListFiles(folder_, kCopySuffix)) {
        const std::string id = name.substr(0, name.size() - std::strlen(kCopySuffix));
        if (IsOwnId(id))
            RemoveFile(CopyPath(id));
    }
}

std::vector<RecoveredDocument> RecoveryStore::LeftBehind() const
{
    std::vector<RecoveredDocument> documents;
    std::vector<std::string> endedRuns;
    std::vector<std::string> goingRuns{run_};
    for (const std::string& name : ListFiles(folder_, kCopySuffix)) {
        const std::string id = name.substr(0, name.size() - std::strlen(kCopySuffix));
        const std::string run = RunOf(id);
        if (run.empty() || std::find(goingRuns.begin(), goingRuns.end(), run) != goingRuns.end())
            continue;
        if (std::find(endedRuns.begin(), endedRuns.end(), run) == endedRuns.end()) {
            if (RunIsGoing(JoinPath(folder_, run + kLockSuffix))) {
                goingRuns.push_back(run);
                continue;
            }
            endedRuns.push_back(run);
        }
        std::optional<Header> header = ReadWholeCopyHeader(JoinPath(folder_, name));
        if (!header)
            continue;
        header->document.id = id;
        documents.push_back(std::move(header->document));
    }
    std::sort(documents.begin(), documents.end(), [](const RecoveredDocument& a, const RecoveredDocument& b) {
        return a.written != b.written ? a.written < b.written : a.id < b.id;
    });
    return documents;
}

std::optional<std::string> RecoveryStore::Read(const RecoveredDocument& document, std::string* error) const
{
    std::optional<std::string> copy = ReadFile(CopyPath(document.id), error);
    if (!copy)
        return std::nullopt;
    const std::optional<Header> header = ParseHeader(std::string_view(*copy).substr(0, kMaxHeader));
    if (!header || copy->size() - header->length != header->document.size) {
        SetError(error, "the copy is not whole");
        return std::nullopt;
    }
    copy->erase(0, header->length);
    return copy;
}

std::optional<std::string> RecoveryStore::Take(const RecoveredDocument& document, std::string* newId,
                                               std::string* error)
{
    if (!ready_) {
        SetError(error, "the recovery folder cannot be used");
        return std::nullopt;
    }
    std::optional<std::string> bytes = Read(document, error);
    if (!bytes)
        return std::nullopt;
    const std::string id = NewId();
    if (!MoveFileTo(CopyPath(document.id), CopyPath(id), error))
        return std::nullopt;
    *newId = id;
    return bytes;
}

void RecoveryStore::Discard(const RecoveredDocument& document)
{
    // Only a copy whose run has ended: what LeftBehind lists.
    const std::string run = RunOf(document.id);
    if (run.empty() || run == run_ || RunIsGoing(JoinPath(folder_, run + kLockSuffix)))
        return;
    RemoveFile(CopyPath(document.id));
}

// ---------------------------------------------------------------------------------
// The timer.

RecoveryTimer::RecoveryTimer(std::chrono::milliseconds quiet, std::chrono::milliseconds longest)
    : quiet_(quiet), longest_(longest)
{
}

void RecoveryTimer::Edited(Clock::time_point at)
{
    if (!pending_) {
        pending_ = true;
        firstEdit_ = at;
        lastEdit_ = at;
        return;
    }
    lastEdit_ = std::max(lastEdit_, at);
}

void RecoveryTimer::Saved(Clock::time_point at)
{
    Written(at);
}

void RecoveryTimer::Written(Clock::time_point at)
{
    // An edit after the moment the copy (or the saved file) was taken is still to be
    // copied; it starts the next burst.
    if (pending_ && lastEdit_ <= at)
        pending_ = false;
    else if (pending_ && firstEdit_ <= at)
        firstEdit_ = at;
}

bool RecoveryTimer::Due(Clock::time_point now) const
{
    const std::optional<Clock::time_point> at = DueAt();
    return at && now >= *at;
}

std::optional<RecoveryTimer::Clock::time_point> RecoveryTimer::DueAt() const
{
    if (!pending_)
        return std::nullopt;
    return std::min(lastEdit_ + quiet_, firstEdit_ + longest_);
}

} // namespace varnel::editor
