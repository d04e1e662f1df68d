// Player profiles: the progress records, their save files, and the running stage's counters.
// SPDX-License-Identifier: MIT
#include "game/player_list.h"

#include "game/safe_file.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Gamespace
{
namespace
{

// Field offsets of the save file. The order at 20..27 (health, basket,
// gold) differs from the order of PlayerInfo on purpose: it is the order
// existing save files have.
constexpr std::size_t kIsCurrentAt = 0;
constexpr std::size_t kNameAt = 1;
constexpr std::size_t kAreaAt = 16;
constexpr std::size_t kStageAt = 18;
constexpr std::size_t kBasketHealthAt = 20;
constexpr std::size_t kBasketAt = 22;
constexpr std::size_t kZeveAt = 24;
constexpr std::size_t kJewelsAt = 28;
constexpr std::size_t kZeveVazesAt = 30;
constexpr std::size_t kSilverVazesAt = 32;
constexpr std::size_t kBronzeVazesAt = 34;
constexpr std::size_t kKeysHintAt = 36;
constexpr std::size_t kTimerHintAt = 37;
constexpr std::size_t kBonusLineHintAt = 38;
constexpr std::size_t kFinalScoreAt = 39;
constexpr std::size_t kGameFinishedAt = 41;

constexpr const char* kSaveExtension = ".usr";

void PutU16(SaveRecord& out, std::size_t at, std::uint16_t value)
{
    out[at] = static_cast<std::uint8_t>(value >> 8);
    out[at + 1] = static_cast<std::uint8_t>(value);
}

void PutI32(SaveRecord& out, std::size_t at, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
    {
        out[at + i] = static_cast<std::uint8_t>(bits >> (24 - 8 * i));
    }
}

// Reads one field when the bytes cover it completely; otherwise the field
// keeps its value.
class FieldReader
{
  public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {}

    void Bool(std::size_t at, bool& field) const
    {
        if (at < bytes.size())
        {
            field = bytes[at] != 0;
        }
    }
    void U16(std::size_t at, std::uint16_t& field) const
    {
        if (at + 2 <= bytes.size())
        {
            field = static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
        }
    }
    void I32(std::size_t at, std::int32_t& field) const
    {
        if (at + 4 <= bytes.size())
        {
            std::uint32_t bits = 0;
            for (std::size_t i = 0; i < 4; ++i)
            {
                bits = bits << 8 | bytes[at + i];
            }
            field = static_cast<std::int32_t>(bits);
        }
    }
    // The name takes whatever bytes of its field there are.
    void Name(std::string& field) const
    {
        const std::size_t end = std::min(bytes.size(), kNameAt + kSavedNameBytes);
        field.clear();
        for (std::size_t i = kNameAt; i < end && bytes[i] != 0; ++i)
        {
            field.push_back(static_cast<char>(bytes[i]));
        }
    }

  private:
    std::span<const std::uint8_t> bytes;
};

bool NeedsEscape(unsigned char byte, bool first)
{
    if (byte < 0x20 || byte == 0x7F)
    {
        return true;
    }
    if (first && byte == '.')
    {
        return true;
    }
    return std::strchr("/\\%\"*:<>?|", byte) != nullptr;
}

bool IsSaveFileName(const char* name)
{
    const std::size_t length = std::strlen(name);
    const std::size_t extension = std::strlen(kSaveExtension);
    return name[0] != '.' && length > extension &&
           std::memcmp(name + length - extension, kSaveExtension, extension) == 0;
}

std::vector<std::string> ListSaveFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
    {
        return names;
    }
    while (const dirent* entry = ::readdir(dir))
    {
        if (IsSaveFileName(entry->d_name))
        {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    // The directory's own order changes with the file system and its
    // history; byte order makes "which file wins" the same on every machine.
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

SaveRecord EncodePlayerRecord(const PlayerInfo& record)
{
    SaveRecord out{};
    out[kIsCurrentAt] = record.isCurrent ? 1 : 0;
    const std::size_t nameBytes = std::min(record.name.size(), kSavedNameBytes);
    std::memcpy(out.data() + kNameAt, record.name.data(), nameBytes);
    PutU16(out, kAreaAt, record.area);
    PutU16(out, kStageAt, record.stage);
    PutU16(out, kBasketHealthAt, record.basketHealth);
    PutU16(out, kBasketAt, record.basket);
    PutI32(out, kZeveAt, record.zeve);
    PutU16(out, kJewelsAt, record.jewels);
    PutU16(out, kZeveVazesAt, record.zeveVazes);
    PutU16(out, kSilverVazesAt, record.silverVazes);
    PutU16(out, kBronzeVazesAt, record.bronzeVazes);
    out[kKeysHintAt] = record.keysHintShown ? 1 : 0;
    out[kTimerHintAt] = record.timerHintShown ? 1 : 0;
    out[kBonusLineHintAt] = record.bonusLineHintShown ? 1 : 0;
    PutU16(out, kFinalScoreAt, record.finalScore);
    out[kGameFinishedAt] = record.gameFinished ? 1 : 0;
    return out;
}

void DecodePlayerRecord(std::span<const std::uint8_t> bytes, PlayerInfo& record)
{
    const FieldReader read(bytes);
    read.Bool(kIsCurrentAt, record.isCurrent);
    read.Name(record.name);
    read.U16(kAreaAt, record.area);
    read.U16(kStageAt, record.stage);
    read.U16(kBasketHealthAt, record.basketHealth);
    read.U16(kBasketAt, record.basket);
    read.I32(kZeveAt, record.zeve);
    read.U16(kJewelsAt, record.jewels);
    read.U16(kZeveVazesAt, record.zeveVazes);
    read.U16(kSilverVazesAt, record.silverVazes);
    read.U16(kBronzeVazesAt, record.bronzeVazes);
    read.Bool(kKeysHintAt, record.keysHintShown);
    read.Bool(kTimerHintAt, record.timerHintShown);
    read.Bool(kBonusLineHintAt, record.bonusLineHintShown);
    read.U16(kFinalScoreAt, record.finalScore);
    read.Bool(kGameFinishedAt, record.gameFinished);
}

std::string StoredPlayerName(const std::string& name)
{
    const std::string cut = name.substr(0, kSavedNameBytes);
    return cut.substr(0, cut.find('\0'));
}

std::string PlayerFileName(const std::string& name)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size() + 4);
    for (std::size_t i = 0; i < name.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (NeedsEscape(byte, i == 0))
        {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
        else
        {
            out += static_cast<char>(byte);
        }
    }
    return out + kSaveExtension;
}

bool ReadPlayer(PlayerInfo& record, const std::string& path)
{
    // Read-only on purpose: a save file the player made read-only still loads.
    const FileBytes file = ReadFileBytes(path, kSaveRecordSize);
    if (file.status != ReadStatus::Ok)
    {
        return false;
    }
    DecodePlayerRecord(file.bytes, record);
    record.loadedFrom = path;
    return true;
}

PlayerList::PlayerList(std::string saveFolder) : saveFolder(std::move(saveFolder)) {}

void PlayerList::LoadPlayers()
{
    bool anyCurrent = false;
    for (const std::string& fileName : ListSaveFiles(saveFolder))
    {
        std::unique_ptr<PlayerInfo> record = NewPlayerInfo();
        if (!ReadPlayer(*record, saveFolder + "/" + fileName))
        {
            continue;
        }
        const bool current = record->isCurrent;
        if (PlayerInfo* same = FindPlayer(record->name))
        {
            // Of two files of one player, the one under the player's own
            // file name is the one every save since has written; a copy
            // under another name is older and must not hide it.
            if (fileName == PlayerFileName(record->name) && !IsOwnFile(*same))
            {
                *same = std::move(*record);
                anyCurrent = anyCurrent || current;
            }
            continue;
        }
        if (AddPlayer(std::move(record)))
        {
            anyCurrent = anyCurrent || current;
        }
    }
    if (!anyCurrent && !players.empty())
    {
        SetCurrentPlayer(*players.front(), true);
    }
}

PlayerInfo* PlayerList::FindPlayer(const std::string& name)
{
    for (const auto& record : players)
    {
        if (record->name == name)
        {
            return record.get();
        }
    }
    return nullptr;
}

bool PlayerList::IsOwnFile(const PlayerInfo& record) const
{
    return record.loadedFrom == GetPlayerPath(record);
}

bool PlayerList::SavePlayers()
{
    bool allSaved = true;
    std::string firstError;
    for (const auto& record : players)
    {
        if (!SavePlayer(*record))
        {
            if (allSaved)
            {
                firstError = lastError;
            }
            allSaved = false;
        }
    }
    if (!allSaved)
    {
        lastError = firstError;
    }
    return allSaved;
}

PlayerInfo& PlayerList::GetCurrentPlayer()
{
    for (const auto& record : players)
    {
        if (record->isCurrent)
        {
            return *record;
        }
    }
    return defaultRecord;
}

PlayerInfo* PlayerList::GetPlayer(std::size_t index)
{
    return index < players.size() ? players[index].get() : nullptr;
}

std::unique_ptr<PlayerInfo> PlayerList::NewPlayerInfo()
{
    return std::make_unique<PlayerInfo>();
}

bool PlayerList::AddPlayer(std::unique_ptr<PlayerInfo> record)
{
    if (!record || record->name.empty())
    {
        return false;
    }
    if (FindPlayer(record->name) != nullptr)
    {
        return false;
    }
    players.push_back(std::move(record));
    return true;
}

std::unique_ptr<PlayerInfo> PlayerList::RemovePlayer(const PlayerInfo& record)
{
    const auto found = std::find_if(players.begin(), players.end(),
                                    [&](const auto& other) { return other->name == record.name; });
    if (found == players.end())
    {
        return nullptr;
    }
    std::unique_ptr<PlayerInfo> taken = std::move(*found);
    players.erase(found);
    if (taken->isCurrent && !players.empty())
    {
        SetCurrentPlayer(*players.front(), true);
    }
    return taken;
}

void PlayerList::SetCurrentPlayer(PlayerInfo& record, bool flag)
{
    for (const auto& other : players)
    {
        other->isCurrent = false;
    }
    record.isCurrent = flag;
}

void PlayerList::DiscardPlayer(std::unique_ptr<PlayerInfo> record)
{
    if (record)
    {
        DeletePlayerFile(*record);
    }
}

std::string PlayerList::GetPlayerPath(const PlayerInfo& record) const
{
    return saveFolder + "/" + PlayerFileName(record.name);
}

bool PlayerList::SavePlayer(PlayerInfo& record)
{
    if (record.name.empty())
    {
        lastError = "cannot save a player without a name";
        return false;
    }
    if (!EnsureFolder(saveFolder, &lastError))
    {
        return false;
    }
    const std::string target = GetPlayerPath(record);

    // Bytes after the record belong to whoever put them there; carry them
    // over. They come from the file this record was loaded from when the
    // target does not exist yet (a file moving to its safe name).
    FileBytes old = ReadFileBytes(target);
    if (old.status == ReadStatus::Missing && !record.loadedFrom.empty() &&
        record.loadedFrom != target)
    {
        old = ReadFileBytes(record.loadedFrom);
    }
    if (old.status == ReadStatus::Failed)
    {
        // Writing now would drop what the old file holds beyond the record.
        lastError = old.message;
        return false;
    }
    std::vector<std::uint8_t> bytes;
    const SaveRecord encoded = EncodePlayerRecord(record);
    bytes.assign(encoded.begin(), encoded.end());
    if (old.bytes.size() > kSaveRecordSize)
    {
        bytes.insert(bytes.end(), old.bytes.begin() + kSaveRecordSize, old.bytes.end());
    }
    if (!WriteFileAtomically(target, bytes, &lastError))
    {
        return false;
    }
    RemoveOldFileOf(record, target);
    record.loadedFrom = target;
    return true;
}

void PlayerList::DeletePlayerFile(const PlayerInfo& record)
{
    if (record.name.empty())
    {
        return;
    }
    const std::string target = GetPlayerPath(record);
    ::unlink(target.c_str());
    RemoveOldFileOf(record, target);
}

// A record read from a file under another name (written before names were
// made safe, or renamed by hand) would otherwise leave that file behind with
// the same player name in it, and on the next start whichever file is listed
// first would win, possibly the stale one. The old file goes only when it
// still holds this player.
void PlayerList::RemoveOldFileOf(const PlayerInfo& record, const std::string& target)
{
    if (record.loadedFrom.empty() || record.loadedFrom == target)
    {
        return;
    }
    PlayerInfo onDisk;
    onDisk.name.clear();
    if (ReadPlayer(onDisk, record.loadedFrom) && onDisk.name == StoredPlayerName(record.name))
    {
        ::unlink(record.loadedFrom.c_str());
    }
}

PlayerList& GetPlayerList()
{
    static PlayerList list;
    return list;
}

PlayerInfo& GetCurrentPlayer()
{
    return GetPlayerList().GetCurrentPlayer();
}

namespace
{

std::atomic<std::int32_t> stageZeve{0};
std::atomic<std::uint16_t> stageJewels{0};
std::atomic<std::uint16_t> stageHealth{0};

// Applies change to the counter as one step, even against another thread.
template <typename Value, typename Change> void Update(std::atomic<Value>& counter, Change change)
{
    Value now = counter.load(std::memory_order_relaxed);
    while (!counter.compare_exchange_weak(now, change(now), std::memory_order_relaxed))
    {
    }
}

} // namespace

void StageCounters::SetStageZeve(std::int32_t value)
{
    stageZeve.store(value, std::memory_order_relaxed);
}

void StageCounters::AddStageZeve(std::int32_t delta)
{
    Update(stageZeve,
           [delta](std::int32_t now)
           {
               return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) +
                                                static_cast<std::uint32_t>(delta));
           });
}

std::int32_t StageCounters::GetStageZeve()
{
    return stageZeve.load(std::memory_order_relaxed);
}

void StageCounters::SetStageJewels(std::uint16_t value)
{
    stageJewels.store(value, std::memory_order_relaxed);
}

void StageCounters::AddStageJewels(int delta)
{
    Update(stageJewels, [delta](std::uint16_t now)
           { return static_cast<std::uint16_t>(now + static_cast<unsigned>(delta)); });
}

std::uint16_t StageCounters::GetStageJewels()
{
    return stageJewels.load(std::memory_order_relaxed);
}

void StageCounters::SetStageHealth(std::uint16_t value)
{
    stageHealth.store(value, std::memory_order_relaxed);
}

void StageCounters::AddStageHealth(int delta)
{
    Update(stageHealth,
           [delta](std::uint16_t now)
           {
               const auto next = static_cast<std::uint16_t>(now + static_cast<unsigned>(delta));
               return (next & 0x8000) != 0 ? std::uint16_t{0} : next;
           });
}

std::uint16_t StageCounters::GetStageHealth()
{
    return stageHealth.load(std::memory_order_relaxed);
}

} // namespace Gamespace
