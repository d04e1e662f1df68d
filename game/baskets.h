// The basket list and the rules of the shop, the workshop and the start of a stage.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - Three baskets, fixed in the program; a player owns exactly one (its row
//   is PlayerInfo::basket). A row number from a damaged save file that names
//   no basket is read as basket 0, so no rule here can fail on it.
// - The rule functions are what the shop, workshop and map dialogs call: a
//   Can* function decides whether a button is enabled, and the matching
//   action checks the same rule again and changes the player only when it
//   holds (returning false otherwise, with the player unchanged).
// - Main thread only, like the player records they change.
#pragma once

#include "game/player_list.h"

#include <cstdint>
#include <string>

namespace Gamespace
{

struct BasketInfo
{
    std::int32_t price = 0;          // gold
    std::uint16_t volume = 0;        // jewels the basket holds
    std::uint16_t maxHealth = 0;     // health when undamaged
    std::uint16_t miniFixPoints = 0; // health restored by one small repair
    std::uint16_t costPerPoint = 0;  // gold per health point repaired
    std::uint16_t timeToPlay = 0;    // seconds on the stage clock
    std::string image;               // file under images/baskets/
    std::uint16_t availableFromArea = 0;
};

int GetBasketCount();

// The row; an index outside 0 .. count - 1 gives row 0.
const BasketInfo& GetBasket(int index);

// "images/baskets/" + image.
std::string GetBasketImagePath(const BasketInfo& basket);

// The basket the player owns.
const BasketInfo& GetOwnedBasket(const PlayerInfo& player);

// Health points missing from the owned basket. Never negative: a basket
// above its full health (a health kit can leave it one point over) has no
// damage, rather than a damage that wraps around to 65535.
std::uint16_t GetBasketDamage(const PlayerInfo& player);

// Full repair ("Full fix"): damage × cost per point; offered when there is
// damage and the player has the gold. Restores full health.
std::int32_t GetFullFixCost(const PlayerInfo& player);
bool CanFullFix(const PlayerInfo& player);
[[nodiscard]] bool FullFix(PlayerInfo& player);

// Small repair ("Mini fix"): mini-fix points × cost per point; offered only
// while the damage is larger than the points it restores, and the player has
// the gold.
std::int32_t GetMiniFixCost(const PlayerInfo& player);
bool CanMiniFix(const PlayerInfo& player);
[[nodiscard]] bool MiniFix(PlayerInfo& player);

// What the player can pay with: gold, plus jewels when the shop's jewel
// switch is on.
std::int64_t GetCash(const PlayerInfo& player, bool payWithJewels);

// Buying row `row`: the player has the cash, does not own that basket
// already, and has reached its area. Gold pays first and jewels the rest;
// the new basket comes at full health, the old one goes without refund.
bool CanBuyBasket(const PlayerInfo& player, int row, bool payWithJewels);
[[nodiscard]] bool BuyBasket(PlayerInfo& player, int row, bool payWithJewels);

enum class BasketMark
{
    None,
    AlreadyOwned,    // "You already have this basket!"
    NotAvailableYet, // "Not available yet."
};

BasketMark GetBasketMark(const PlayerInfo& player, int row);
// The text shown for a mark; empty for None.
const char* GetBasketMarkText(BasketMark mark);

enum class StageStartCheck
{
    Ready,
    BasketDamaged,  // health below kMinHealthToPlay
    VolumeTooSmall, // the basket cannot hold the jewels the stage asks for
};

constexpr std::uint16_t kMinHealthToPlay = 5;

// The checks of the map's play button, in order, for the player's next stage.
StageStartCheck CheckStageStart(const PlayerInfo& player);
// The message shown when a stage may not start; empty for Ready.
const char* GetStageStartMessage(StageStartCheck check);

// What a player starting the very first stage begins with: no gold, jewels
// or vazes, and basket 0 at full health.
void ResetProgressForFirstStage(PlayerInfo& player);

} // namespace Gamespace
