// Player profiles: the progress records, their save files, and the running stage's counters.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - One PlayerInfo per named player, owned by the process-wide PlayerList.
//   Names are unique (byte-wise, case-sensitive) and never empty.
// - Exactly one record is meant to be current; GetCurrentPlayer never fails:
//   with no current record it hands out a default record that is never saved.
// - A record lives in "<save folder>/<file name>.usr", 42 bytes, big-endian,
//   no header. The file name is the player's name in a safe form (see
//   PlayerFileName); the name inside the file stays exactly as typed, and
//   loading takes the name from inside the file, never from the file name.
// - Saving replaces the file atomically (see safe_file.h) and keeps any bytes
//   the old file had after the 42-byte record. The save folder is created
//   when it is missing.
// - The list runs on the main thread only and has no lock. The stage
//   counters are atomics, so the clock thread may change them while the
//   window thread draws them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace Gamespace
{

constexpr std::size_t kSaveRecordSize = 42;
constexpr std::size_t kSavedNameBytes = 15;

struct PlayerInfo
{
    bool isCurrent = false;
    std::string name;
    std::uint16_t area = 0;
    std::uint16_t stage = 0; // next stage to play within area
    std::int32_t zeve = 0;   // gold owned
    std::uint16_t jewels = 0;
    std::uint16_t basket = 0;       // row of the basket list
    std::uint16_t basketHealth = 1; // placeholder until the first stage starts
    std::uint16_t zeveVazes = 0;
    std::uint16_t silverVazes = 0;
    std::uint16_t bronzeVazes = 0;
    bool keysHintShown = false;
    bool timerHintShown = false;
    bool bonusLineHintShown = false;
    std::uint16_t finalScore = 0;
    bool gameFinished = false;

    // The file this record was read from; empty for a record made in this
    // run. Lets a save move an old, unsafely named file to the safe name
    // without leaving a stale copy behind.
    std::string loadedFrom;
};

using SaveRecord = std::array<std::uint8_t, kSaveRecordSize>;

// The 42 bytes of a save file for the record.
[[nodiscard]] SaveRecord EncodePlayerRecord(const PlayerInfo& record);

// Fills the record from the bytes of a save file, field by field. A field
// that the bytes do not cover completely keeps its value in the record,
// except the name, which takes whatever name bytes there are (up to the
// first zero byte). Bytes after the record are ignored.
void DecodePlayerRecord(std::span<const std::uint8_t> bytes, PlayerInfo& record);

// The name as it reads back from a save file: cut to 15 bytes and ended at
// the first zero byte.
[[nodiscard]] std::string StoredPlayerName(const std::string& name);

// The save file name for a player name, ".usr" included. Bytes that could
// leave the save folder, hide the file, or be refused by a file system
// ("/", "\", NUL, control bytes, "%", a leading ".", and the characters
// "*:<>?| that some file systems reject) become %XX with two upper-case hex
// digits; every other byte is kept. Different names give different file
// names, and a name without such bytes keeps its old file name.
[[nodiscard]] std::string PlayerFileName(const std::string& name);

// Fills the record from the save file at path. Returns false (record
// unchanged) when the file cannot be opened or read; a short file is not an
// error, its missing fields keep their values.
[[nodiscard]] bool ReadPlayer(PlayerInfo& record, const std::string& path);

class PlayerList
{
  public:
    explicit PlayerList(std::string saveFolder = "save");
    PlayerList(const PlayerList&) = delete;
    PlayerList& operator=(const PlayerList&) = delete;

    // Reads every "*.usr" of the save folder in byte order of the file
    // names (names starting with "." are skipped) and adds each record
    // that AddPlayer accepts. Of several files holding one name the first
    // wins, unless a later one lies under the player's own file name (see
    // PlayerFileName): that one holds the newest progress. When none of the
    // records is marked current, the first becomes current. A missing
    // folder loads nothing.
    void LoadPlayers();

    // SavePlayer on every record in list order. Returns false when any save
    // failed (the others are still written); see GetLastError.
    [[nodiscard]] bool SavePlayers();

    // First record marked current, else the default record.
    PlayerInfo& GetCurrentPlayer();

    // The record at a list position, or nullptr past the end.
    PlayerInfo* GetPlayer(std::size_t index);
    std::size_t GetPlayerCount() const { return players.size(); }

    // A fresh record with the values of a new player.
    [[nodiscard]] static std::unique_ptr<PlayerInfo> NewPlayerInfo();

    // Appends the record when its name is not empty and no record has the
    // same name; otherwise the record is freed and false returned.
    [[nodiscard]] bool AddPlayer(std::unique_ptr<PlayerInfo> record);

    // Takes the first record whose name equals the given record's name out
    // of the list and hands it back (nullptr when none matches). When it was
    // current, the first remaining record becomes current.
    std::unique_ptr<PlayerInfo> RemovePlayer(const PlayerInfo& record);

    // Clears the current mark on every record, then sets it on this one.
    void SetCurrentPlayer(PlayerInfo& record, bool flag);

    // Deletes the record's save file, then frees the record.
    void DiscardPlayer(std::unique_ptr<PlayerInfo> record);

    // Writes the record's save file. Returns false with GetLastError set
    // when the file could not be replaced; the old file is then unchanged.
    [[nodiscard]] bool SavePlayer(PlayerInfo& record);

    // Deletes the record's save file when there is one.
    void DeletePlayerFile(const PlayerInfo& record);

    // "<save folder>/<PlayerFileName(name)>".
    std::string GetPlayerPath(const PlayerInfo& record) const;

    // Frees every record (at shut-down, after SavePlayers).
    void Clear() { players.clear(); }

    const std::string& GetLastError() const { return lastError; }

  private:
    PlayerInfo* FindPlayer(const std::string& name);
    bool IsOwnFile(const PlayerInfo& record) const;
    void RemoveOldFileOf(const PlayerInfo& record, const std::string& target);

    std::string saveFolder;
    std::vector<std::unique_ptr<PlayerInfo>> players;
    PlayerInfo defaultRecord;
    std::string lastError;
};

// The process-wide list; created empty on first use, saving to "save/"
// relative to the working folder.
PlayerList& GetPlayerList();

// GetPlayerList().GetCurrentPlayer().
PlayerInfo& GetCurrentPlayer();

// Gold, jewels and basket health of the stage being played. Process-wide.
class StageCounters
{
  public:
    static void SetStageZeve(std::int32_t value);
    static void AddStageZeve(std::int32_t delta); // wraps like the 32-bit field
    static std::int32_t GetStageZeve();

    static void SetStageJewels(std::uint16_t value);
    static void AddStageJewels(int delta); // 16-bit arithmetic
    static std::uint16_t GetStageJewels();

    static void SetStageHealth(std::uint16_t value);
    // 16-bit arithmetic; a result with its top bit set (negative as a
    // signed value) becomes 0, so damage never wraps to a huge health.
    static void AddStageHealth(int delta);
    static std::uint16_t GetStageHealth();
};

} // namespace Gamespace
