// The package layer: package directory reading, name lookup, file handles and the find emulation.
// SPDX-License-Identifier: MIT
#include "framework/pak/pak_interface.h"

#include "framework/pak/pak_format.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lumo
{

// One mapped package and the records of its directory.
struct PakCollection
{
    std::string path;
    const uint8_t* data = nullptr;
    size_t size = 0;
    std::vector<std::unique_ptr<PakRecord>> records;

    PakCollection() = default;
    PakCollection(const PakCollection&) = delete;
    PakCollection& operator=(const PakCollection&) = delete;
    ~PakCollection()
    {
        if (data != nullptr)
        {
            munmap(const_cast<uint8_t*>(data), size);
        }
    }
};

struct PakFind
{
    // Packaged search: the matches taken when the search began, so that adding packages meanwhile
    // cannot disturb it.
    std::vector<PakFindData> matches;
    size_t next = 0;
    // Disk search.
    DIR* dir = nullptr;
    std::string dirPath;
    std::string filePattern;
};

namespace
{

std::atomic<PakInterface*> gInstance{nullptr};

constexpr uint8_t kStoredCarriageReturn = '\r' ^ kPakXorKey;
constexpr uint8_t kStoredLineFeed = '\n' ^ kPakXorKey;

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y)
                      {
                          return std::toupper(static_cast<unsigned char>(x)) ==
                                 std::toupper(static_cast<unsigned char>(y));
                      });
}

// The normalisation without the change of case: separators become backslashes, runs collapse,
// "." components vanish and ".." removes the component before it.
std::string CleanPakName(std::string_view name)
{
    if (!name.empty() && name.front() == '/')
    {
        char cwd[4096];
        if (getcwd(cwd, sizeof cwd) != nullptr)
        {
            const std::string_view current = cwd;
            if (name.size() > current.size() &&
                EqualNoCase(name.substr(0, current.size()), current) &&
                IsSeparator(name[current.size()]))
            {
                name.remove_prefix(current.size() + 1);
            }
        }
    }

    std::string out;
    out.reserve(name.size());
    size_t i = 0;
    while (i < name.size())
    {
        if (IsSeparator(name[i]))
        {
            if (out.empty() || out.back() != '\\')
            {
                out.push_back('\\');
            }
            ++i;
            continue;
        }
        // A whole component of "." or "..", at the start or after a separator.
        const bool atComponentStart = (i == 0 || IsSeparator(name[i - 1]));
        if (atComponentStart && name[i] == '.')
        {
            const bool dot = (i + 1 == name.size() || IsSeparator(name[i + 1]));
            const bool dotDot = (i + 1 < name.size() && name[i + 1] == '.' &&
                                 (i + 2 == name.size() || IsSeparator(name[i + 2])));
            if (dot)
            {
                ++i;
                while (i < name.size() && IsSeparator(name[i]))
                {
                    ++i;
                }
                continue;
            }
            if (dotDot && !out.empty() && out.back() == '\\' && out != "\\")
            {
                out.pop_back();
                const size_t previous = out.find_last_of('\\');
                out.resize(previous == std::string::npos ? 0 : previous + 1);
                i += 2;
                while (i < name.size() && IsSeparator(name[i]))
                {
                    ++i;
                }
                continue;
            }
        }
        out.push_back(name[i]);
        ++i;
    }
    return out;
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
    {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// Which modes may be served from a package.
bool IsPackageReadMode(const char* mode, bool* textMode)
{
    const std::string upper = UpperCase(mode != nullptr ? mode : "");
    *textMode = (upper == "R" || upper == "RT");
    return upper == "R" || upper == "RB" || upper == "R+B" || upper == "RT";
}

// The real file system wants forward slashes.
std::string RealPath(const char* name)
{
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

PakHandle* OpenRealFile(const char* name, const char* mode)
{
    if (name == nullptr || mode == nullptr)
    {
        return nullptr;
    }
    FILE* file = std::fopen(RealPath(name).c_str(), mode);
    if (file == nullptr)
    {
        return nullptr;
    }
    auto* handle = new PakHandle;
    handle->realFile = file;
    handle->textMode = (std::strchr(mode, 'b') == nullptr);
    return handle;
}

uint8_t StoredByteAt(const PakHandle* handle, size_t pos)
{
    return handle->record->collection->data[handle->record->startPos + pos];
}

// Whether a packaged name matches a normalised pattern; on a match sets where the part after the
// pattern's prefix begins.
bool PackagedNameMatches(std::string_view name, std::string_view pattern, size_t* prefixLength)
{
    const size_t star = pattern.find('*');
    if (star == std::string_view::npos)
    {
        return false;
    }
    const std::string_view prefix = pattern.substr(0, star);
    const std::string_view rest = pattern.substr(star + 1);
    if (name.substr(0, prefix.size()) != prefix)
    {
        return false;
    }
    *prefixLength = prefix.size();
    if (rest.empty() || rest == ".*")
    {
        return true;
    }
    return name.size() >= prefix.size() + rest.size() &&
           name.substr(name.size() - rest.size()) == rest;
}

bool NextDiskMatch(PakFind* find, PakFindData* findData)
{
    while (dirent* entry = readdir(find->dir))
    {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
        {
            continue;
        }
        if (fnmatch(find->filePattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0)
        {
            continue;
        }
        struct stat info
        {
        };
        if (stat((find->dirPath + "/" + entry->d_name).c_str(), &info) != 0)
        {
            continue;
        }
        findData->fileName = entry->d_name;
        findData->attributes = S_ISDIR(info.st_mode) ? kPakAttributeDirectory : kPakAttributeNormal;
        findData->fileSize = static_cast<uint64_t>(info.st_size);
        findData->creationTime = findData->lastAccessTime = findData->lastWriteTime =
            PakFileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
        return true;
    }
    return false;
}

PakFind* FindOnDisk(const char* pattern, PakFindData* findData)
{
    if (pattern == nullptr || findData == nullptr)
    {
        return nullptr;
    }
    const std::string path = RealPath(pattern);
    const size_t slash = path.find_last_of('/');
    auto find = std::make_unique<PakFind>();
    find->dirPath = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    find->filePattern = slash == std::string::npos ? path : path.substr(slash + 1);
    if (find->filePattern == "*.*")
    {
        find->filePattern = "*"; // as the system search means it: names without a dot too
    }
    find->dir = opendir(find->dirPath.c_str());
    if (find->dir == nullptr)
    {
        return nullptr;
    }
    if (!NextDiskMatch(find.get(), findData))
    {
        closedir(find->dir);
        return nullptr;
    }
    return find.release();
}

int HandleFClose(PakHandle* handle)
{
    if (handle == nullptr)
    {
        return EOF;
    }
    const int result = handle->realFile != nullptr ? std::fclose(handle->realFile) : 0;
    delete handle;
    return result;
}

int HandleFSeek(PakHandle* handle, long offset, int origin)
{
    if (handle == nullptr)
    {
        return -1;
    }
    if (handle->realFile != nullptr)
    {
        return std::fseek(handle->realFile, offset, origin);
    }
    const auto size = static_cast<long long>(handle->record->size);
    long long pos = static_cast<long long>(handle->pos);
    switch (origin)
    {
    case SEEK_SET:
        pos = offset;
        break;
    case SEEK_CUR:
        pos += offset;
        break;
    case SEEK_END:
        pos = size + offset;
        break;
    default:
        break;
    }
    handle->pos = static_cast<size_t>(std::clamp(pos, 0LL, size));
    return 0;
}

long HandleFTell(PakHandle* handle)
{
    if (handle == nullptr)
    {
        return -1;
    }
    if (handle->realFile != nullptr)
    {
        return std::ftell(handle->realFile);
    }
    return static_cast<long>(handle->pos);
}

size_t HandleFRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle)
{
    if (handle == nullptr || buffer == nullptr || elementSize == 0)
    {
        return 0;
    }
    if (handle->realFile != nullptr)
    {
        return std::fread(buffer, elementSize, count, handle->realFile);
    }
    const size_t left = handle->record->size - handle->pos;
    const size_t wanted = count > left / elementSize ? left : elementSize * count;
    auto* out = static_cast<uint8_t*>(buffer);
    const uint8_t* in = handle->record->collection->data + handle->record->startPos + handle->pos;
    for (size_t i = 0; i < wanted; ++i)
    {
        out[i] = in[i] ^ kPakXorKey;
    }
    handle->pos += wanted;
    return wanted / elementSize;
}

int HandleFGetC(PakHandle* handle)
{
    if (handle == nullptr)
    {
        return EOF;
    }
    if (handle->realFile != nullptr)
    {
        int c = std::fgetc(handle->realFile);
        while (handle->textMode && c == '\r')
        {
            c = std::fgetc(handle->realFile);
        }
        return c;
    }
    while (handle->pos < handle->record->size)
    {
        const uint8_t stored = StoredByteAt(handle, handle->pos++);
        if (!(handle->textMode && stored == kStoredCarriageReturn))
        {
            return stored ^ kPakXorKey;
        }
    }
    return EOF;
}

int HandleUnGetC(int character, PakHandle* handle)
{
    if (handle == nullptr)
    {
        return EOF;
    }
    if (handle->realFile != nullptr)
    {
        return std::ungetc(character, handle->realFile);
    }
    if (handle->pos > 0)
    {
        --handle->pos;
    }
    return character;
}

char* HandleFGetS(char* buffer, int size, PakHandle* handle)
{
    if (handle == nullptr || buffer == nullptr || size <= 0)
    {
        return nullptr;
    }
    if (handle->realFile != nullptr && !handle->textMode)
    {
        return std::fgets(buffer, size, handle->realFile);
    }
    // Packaged files and real text files share the character-wise read that drops carriage returns.
    int stored = 0;
    bool atEnd = false;
    while (stored < size - 1)
    {
        const int c = HandleFGetC(handle);
        if (c == EOF)
        {
            atEnd = true;
            break;
        }
        buffer[stored++] = static_cast<char>(c);
        if (c == '\n')
        {
            break;
        }
    }
    if (stored == 0 && atEnd)
    {
        return nullptr;
    }
    buffer[stored] = '\0';
    return buffer;
}

int HandleFEof(PakHandle* handle)
{
    if (handle == nullptr)
    {
        return 1;
    }
    if (handle->realFile != nullptr)
    {
        return std::feof(handle->realFile);
    }
    return handle->pos >= handle->record->size ? 1 : 0;
}

bool HandleFindNextFile(PakFind* find, PakFindData* findData)
{
    if (find == nullptr || findData == nullptr)
    {
        return false;
    }
    if (find->dir != nullptr)
    {
        return NextDiskMatch(find, findData);
    }
    if (find->next >= find->matches.size())
    {
        return false;
    }
    *findData = find->matches[find->next++];
    return true;
}

bool HandleFindClose(PakFind* find)
{
    if (find == nullptr)
    {
        return false;
    }
    if (find->dir != nullptr)
    {
        closedir(find->dir);
    }
    delete find;
    return true;
}

} // namespace

std::string NormalisePakName(std::string_view name)
{
    return UpperCase(CleanPakName(name));
}

PakInterface::PakInterface()
{
    PakInterface* expected = nullptr;
    gInstance.compare_exchange_strong(expected, this);
}

PakInterface::~PakInterface()
{
    PakInterface* expected = this;
    gInstance.compare_exchange_strong(expected, nullptr);
}

PakInterface* GetPakInterface()
{
    return gInstance.load();
}

bool PakInterface::AddPakFile(const std::string& path)
{
    const int fd = open(RealPath(path.c_str()).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
    {
        return false;
    }
    struct stat info
    {
    };
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
    {
        close(fd);
        return false;
    }
    auto collection = std::make_unique<PakCollection>();
    collection->path = path;
    collection->size = static_cast<size_t>(info.st_size);
    void* mapping = mmap(nullptr, collection->size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (mapping == MAP_FAILED)
    {
        return false;
    }
    collection->data = static_cast<const uint8_t*>(mapping);

    std::vector<PakDirectoryEntry> entries;
    if (!ReadPakDirectory({collection->data, collection->size}, entries))
    {
        return false;
    }
    for (const PakDirectoryEntry& entry : entries)
    {
        auto record = std::make_unique<PakRecord>();
        record->fileName = entry.name;
        record->normalisedName = NormalisePakName(entry.name);
        record->collection = collection.get();
        record->fileTime = entry.fileTime;
        record->startPos = entry.startPos;
        record->size = entry.size;
        collection->records.push_back(std::move(record));
    }

    std::scoped_lock lock(mutex_);
    for (const auto& record : collection->records)
    {
        records_[record->normalisedName] = record.get();
    }
    collections_.push_back(std::move(collection));
    return true;
}

const PakRecord* PakInterface::Find(std::string_view normalisedName) const
{
    std::scoped_lock lock(mutex_);
    const auto it = records_.find(normalisedName);
    return it == records_.end() ? nullptr : it->second;
}

bool PakInterface::IsPackaged(std::string_view name) const
{
    return Find(NormalisePakName(name)) != nullptr;
}

std::vector<std::string> PakInterface::PackagedNames() const
{
    std::scoped_lock lock(mutex_);
    std::vector<std::string> names;
    names.reserve(records_.size());
    for (const auto& [key, record] : records_)
    {
        names.push_back(record->fileName);
    }
    return names;
}

PakHandle* PakInterface::FOpen(const char* name, const char* mode)
{
    if (name == nullptr || mode == nullptr)
    {
        return nullptr;
    }
    bool textMode = false;
    if (IsPackageReadMode(mode, &textMode))
    {
        if (const PakRecord* record = Find(NormalisePakName(name)))
        {
            auto* handle = new PakHandle;
            handle->record = record;
            handle->textMode = textMode;
            return handle;
        }
    }
    return OpenRealFile(name, mode);
}

PakFind* PakInterface::FindFirstFile(const char* pattern, PakFindData* findData)
{
    if (pattern == nullptr || findData == nullptr)
    {
        return nullptr;
    }
    const std::string normalised = NormalisePakName(pattern);
    auto find = std::make_unique<PakFind>();
    {
        std::scoped_lock lock(mutex_);
        std::string lastFolder;
        for (const auto& [name, record] : records_)
        {
            size_t prefixLength = 0;
            if (!PackagedNameMatches(name, normalised, &prefixLength))
            {
                continue;
            }
            PakFindData data;
            data.fileSize = record->size;
            data.creationTime = data.lastAccessTime = data.lastWriteTime = record->fileTime;
            // A file further down reports the folder it lies in, once.
            const std::string clean = CleanPakName(record->fileName);
            const size_t folderEnd = name.find('\\', prefixLength);
            if (folderEnd != std::string::npos && clean.size() == name.size())
            {
                const std::string folder = clean.substr(prefixLength, folderEnd - prefixLength);
                if (UpperCase(folder) == UpperCase(lastFolder))
                {
                    continue;
                }
                lastFolder = folder;
                data.fileName = folder;
                data.attributes = kPakAttributeDirectory;
                data.fileSize = 0;
            }
            else
            {
                const size_t slash = clean.find_last_of('\\');
                data.fileName = slash == std::string::npos ? clean : clean.substr(slash + 1);
            }
            find->matches.push_back(std::move(data));
        }
    }
    if (find->matches.empty())
    {
        return FindOnDisk(pattern, findData);
    }
    *findData = find->matches[0];
    find->next = 1;
    return find.release();
}

int PakInterface::FClose(PakHandle* handle)
{
    return HandleFClose(handle);
}

int PakInterface::FSeek(PakHandle* handle, long offset, int origin)
{
    return HandleFSeek(handle, offset, origin);
}

long PakInterface::FTell(PakHandle* handle)
{
    return HandleFTell(handle);
}

size_t PakInterface::FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle)
{
    return HandleFRead(buffer, elementSize, count, handle);
}

int PakInterface::FGetC(PakHandle* handle)
{
    return HandleFGetC(handle);
}

int PakInterface::UnGetC(int character, PakHandle* handle)
{
    return HandleUnGetC(character, handle);
}

char* PakInterface::FGetS(char* buffer, int size, PakHandle* handle)
{
    return HandleFGetS(buffer, size, handle);
}

int PakInterface::FEof(PakHandle* handle)
{
    return HandleFEof(handle);
}

bool PakInterface::FindNextFile(PakFind* find, PakFindData* findData)
{
    return HandleFindNextFile(find, findData);
}

bool PakInterface::FindClose(PakFind* find)
{
    return HandleFindClose(find);
}

// The free functions go through the instance when there is one; handle operations need none.
PakHandle* PakFOpen(const char* name, const char* mode)
{
    PakInterface* instance = gInstance.load();
    return instance != nullptr ? instance->FOpen(name, mode) : OpenRealFile(name, mode);
}

PakFind* PakFindFirstFile(const char* pattern, PakFindData* findData)
{
    PakInterface* instance = gInstance.load();
    return instance != nullptr ? instance->FindFirstFile(pattern, findData)
                               : FindOnDisk(pattern, findData);
}

int PakFClose(PakHandle* handle)
{
    return HandleFClose(handle);
}

int PakFSeek(PakHandle* handle, long offset, int origin)
{
    return HandleFSeek(handle, offset, origin);
}

long PakFTell(PakHandle* handle)
{
    return HandleFTell(handle);
}

size_t PakFRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle)
{
    return HandleFRead(buffer, elementSize, count, handle);
}

int PakFGetC(PakHandle* handle)
{
    return HandleFGetC(handle);
}

int PakUnGetC(int character, PakHandle* handle)
{
    return HandleUnGetC(character, handle);
}

char* PakFGetS(char* buffer, int size, PakHandle* handle)
{
    return HandleFGetS(buffer, size, handle);
}

int PakFEof(PakHandle* handle)
{
    return HandleFEof(handle);
}

bool PakFindNextFile(PakFind* find, PakFindData* findData)
{
    return HandleFindNextFile(find, findData);
}

bool PakFindClose(PakFind* find)
{
    return HandleFindClose(find);
}

bool PakReadAll(PakHandle* handle, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    if (handle == nullptr)
    {
        return false;
    }
    uint8_t chunk[65536];
    for (;;)
    {
        const size_t got = PakFRead(chunk, 1, sizeof chunk, handle);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk)
        {
            break;
        }
    }
    if (handle->realFile != nullptr && std::ferror(handle->realFile))
    {
        return false;
    }
    return true;
}

} // namespace Lumo
