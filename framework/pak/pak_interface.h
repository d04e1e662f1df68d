// The package layer: every data file of the game is read through here, from a package or from disk.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - Packages (".pak") are added with AddPakFile; a file in a later package replaces one of the same
//   name in an earlier package. A missing package is not an error for the game: AddPakFile returns
//   false and nothing changes. A damaged package (wrong magic, version other than 0, a directory
//   or data that runs past the end of the file, an empty name) is rejected whole.
// - Package paths are case-insensitive and use either separator; "a/b/../c" names "a/c". Names that
//   are not packaged, and every open mode other than reading, go to the real file system.
// - One PakInterface is the process-wide instance: the first one constructed registers itself and
//   the free functions (PakFOpen, PakFRead, ...) go through it; without one they use the C library.
// - Packages are read-only and stay mapped until the instance is destroyed; handles and find
//   searches must be closed before that. Adding packages and opening files may happen on any
//   thread; one handle is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace Lumo
{

// Package file layout constants (every stored byte is XOR kPakXorKey).
constexpr uint32_t kPakMagic = 0xBAC04AC0;
constexpr uint32_t kPakVersion = 0;
constexpr uint8_t kPakXorKey = 0xF7;
constexpr uint8_t kPakEndOfDirectoryFlag = 0x80;
constexpr size_t kPakHeaderSize = 8;
constexpr size_t kPakMaxNameLength = 255;

// Find data attribute of a folder.
constexpr uint32_t kPakAttributeDirectory = 0x10;
// Find data attribute of an ordinary file.
constexpr uint32_t kPakAttributeNormal = 0x80;

struct PakCollection;

// One file inside a package.
struct PakRecord
{
    std::string normalisedName; // upper case, backslash separators
    std::string fileName;       // the name as written in the package directory
    const PakCollection* collection = nullptr;
    uint64_t fileTime = 0; // 100-nanosecond units since 1601-01-01
    size_t startPos = 0;   // offset of the data within the package file
    size_t size = 0;
};

// An open file: a packaged entry or a real file, never both.
struct PakHandle
{
    const PakRecord* record = nullptr;
    size_t pos = 0;
    FILE* realFile = nullptr;
    bool textMode = false; // carriage returns are dropped by the character and line reads
};

struct PakFindData
{
    std::string fileName; // the last component only
    uint32_t attributes = kPakAttributeNormal;
    uint64_t fileSize = 0;
    uint64_t creationTime = 0;
    uint64_t lastAccessTime = 0;
    uint64_t lastWriteTime = 0;
};

struct PakFind; // an open search, packaged or on disk

// Upper case, backslash separators, runs of separators collapsed, "." dropped and ".." applied; a
// leading current directory is removed from an absolute path.
[[nodiscard]] std::string NormalisePakName(std::string_view name);

// The operations of the layer, in the order the rest of the program knows them.
class PakInterfaceBase
{
  public:
    virtual ~PakInterfaceBase() = default;
    virtual int Hook() { return 0; }
    virtual PakHandle* FOpen(const char* name, const char* mode) = 0;
    virtual int FClose(PakHandle* handle) = 0;
    virtual int FSeek(PakHandle* handle, long offset, int origin) = 0;
    virtual long FTell(PakHandle* handle) = 0;
    virtual size_t FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) = 0;
    virtual int FGetC(PakHandle* handle) = 0;
    virtual int UnGetC(int character, PakHandle* handle) = 0;
    // Wide line read: not used by the program; returns its buffer unchanged.
    virtual wchar_t* FGetWS(wchar_t* buffer, int /*size*/, PakHandle* /*handle*/) { return buffer; }
    virtual char* FGetS(char* buffer, int size, PakHandle* handle) = 0;
    virtual int FEof(PakHandle* handle) = 0;
    virtual PakFind* FindFirstFile(const char* pattern, PakFindData* findData) = 0;
    virtual bool FindNextFile(PakFind* find, PakFindData* findData) = 0;
    virtual bool FindClose(PakFind* find) = 0;
};

class PakInterface : public PakInterfaceBase
{
  public:
    PakInterface();
    ~PakInterface() override;
    PakInterface(const PakInterface&) = delete;
    PakInterface& operator=(const PakInterface&) = delete;

    // Maps the package and registers its files. False when the file cannot be opened or mapped or
    // is not a sound package; then nothing of it is registered.
    [[nodiscard]] bool AddPakFile(const std::string& path);

    // Opens a packaged file for the reading modes "r", "rb", "r+b" and "rt" (any case); otherwise,
    // or when the name is not packaged, the real file. Null when neither can be opened.
    PakHandle* FOpen(const char* name, const char* mode) override;
    int FClose(PakHandle* handle) override;
    // Origin 0 from the start, 1 from the position, 2 from the end; a packaged position is kept
    // within 0..size. Returns 0 (packaged) or the C library's result.
    int FSeek(PakHandle* handle, long offset, int origin) override;
    long FTell(PakHandle* handle) override;
    // Returns whole elements read; a packaged read copies every byte that is left even when the
    // last element is incomplete.
    size_t FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) override;
    // Next byte or -1 (EOF) at the end.
    int FGetC(PakHandle* handle) override;
    int UnGetC(int character, PakHandle* handle) override;
    // As fgets: null when nothing is left.
    char* FGetS(char* buffer, int size, PakHandle* handle) override;
    int FEof(PakHandle* handle) override;
    // Null when nothing matches.
    PakFind* FindFirstFile(const char* pattern, PakFindData* findData) override;
    bool FindNextFile(PakFind* find, PakFindData* findData) override;
    bool FindClose(PakFind* find) override;

    // Whether a packaged file of that name exists (loose files are not looked at).
    [[nodiscard]] bool IsPackaged(std::string_view name) const;
    // Names of the packaged files as written in their package, in normalised-name order.
    [[nodiscard]] std::vector<std::string> PackagedNames() const;

  private:
    [[nodiscard]] const PakRecord* Find(std::string_view normalisedName) const;

    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<PakCollection>> collections_;
    std::map<std::string, const PakRecord*, std::less<>> records_;
};

// The registered instance, or null.
[[nodiscard]] PakInterface* GetPakInterface();

// The file operations of the program. They go through the registered PakInterface and use the C
// library directly when there is none; the contracts are those of the members above.
[[nodiscard]] PakHandle* PakFOpen(const char* name, const char* mode);
int PakFClose(PakHandle* handle);
int PakFSeek(PakHandle* handle, long offset, int origin);
[[nodiscard]] long PakFTell(PakHandle* handle);
[[nodiscard]] size_t PakFRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle);
[[nodiscard]] int PakFGetC(PakHandle* handle);
int PakUnGetC(int character, PakHandle* handle);
[[nodiscard]] char* PakFGetS(char* buffer, int size, PakHandle* handle);
[[nodiscard]] int PakFEof(PakHandle* handle);
[[nodiscard]] PakFind* PakFindFirstFile(const char* pattern, PakFindData* findData);
[[nodiscard]] bool PakFindNextFile(PakFind* find, PakFindData* findData);
bool PakFindClose(PakFind* find);

// Closes a handle when it goes out of scope: auto file = PakFilePtr(PakFOpen(...)).
struct PakHandleCloser
{
    void operator()(PakHandle* handle) const { PakFClose(handle); }
};
using PakFilePtr = std::unique_ptr<PakHandle, PakHandleCloser>;

// Reads the whole rest of a file (binary). False on a read error; the file is closed by the caller.
[[nodiscard]] bool PakReadAll(PakHandle* handle, std::vector<uint8_t>& bytes);

} // namespace Lumo
