// The basket list and the rules of the shop, the workshop and the start of a stage.
// SPDX-License-Identifier: MIT
#include "game/baskets.h"

#include "game/catalogue.h"

#include <array>

namespace Gamespace
{
namespace
{

const std::array<BasketInfo, 3>& Baskets()
{
    // price, volume, health, mini-fix points, cost per point, time, image, from area
    static const std::array<BasketInfo, 3> baskets = {{
        {50, 25, 15, 1, 1, 25, "1.png", 0},
        {200, 55, 25, 6, 2, 40, "2.png", 1},
        {575, 110, 40, 8, 3, 55, "4.png", 2},
    }};
    return baskets;
}

bool IsBasketRow(int row)
{
    return row >= 0 && row < GetBasketCount();
}

} // namespace

int GetBasketCount()
{
    return static_cast<int>(Baskets().size());
}

const BasketInfo& GetBasket(int index)
{
    return Baskets()[IsBasketRow(index) ? index : 0];
}

std::string GetBasketImagePath(const BasketInfo& basket)
{
    return "images/baskets/" + basket.image;
}

const BasketInfo& GetOwnedBasket(const PlayerInfo& player)
{
    return GetBasket(player.basket);
}

std::uint16_t GetBasketDamage(const PlayerInfo& player)
{
    const std::uint16_t maxHealth = GetOwnedBasket(player).maxHealth;
    return player.basketHealth < maxHealth
               ? static_cast<std::uint16_t>(maxHealth - player.basketHealth)
               : 0;
}

std::int32_t GetFullFixCost(const PlayerInfo& player)
{
    return GetBasketDamage(player) * GetOwnedBasket(player).costPerPoint;
}

bool CanFullFix(const PlayerInfo& player)
{
    return GetBasketDamage(player) > 0 && player.zeve >= GetFullFixCost(player);
}

bool FullFix(PlayerInfo& player)
{
    if (!CanFullFix(player))
    {
        return false;
    }
    player.zeve -= GetFullFixCost(player);
    player.basketHealth = GetOwnedBasket(player).maxHealth;
    return true;
}

std::int32_t GetMiniFixCost(const PlayerInfo& player)
{
    const BasketInfo& basket = GetOwnedBasket(player);
    return basket.miniFixPoints * basket.costPerPoint;
}

bool CanMiniFix(const PlayerInfo& player)
{
    return GetOwnedBasket(player).miniFixPoints < GetBasketDamage(player) &&
           player.zeve >= GetMiniFixCost(player);
}

bool MiniFix(PlayerInfo& player)
{
    if (!CanMiniFix(player))
    {
        return false;
    }
    player.zeve -= GetMiniFixCost(player);
    player.basketHealth =
        static_cast<std::uint16_t>(player.basketHealth + GetOwnedBasket(player).miniFixPoints);
    return true;
}

std::int64_t GetCash(const PlayerInfo& player, bool payWithJewels)
{
    return payWithJewels ? std::int64_t{player.zeve} + player.jewels : player.zeve;
}

bool CanBuyBasket(const PlayerInfo& player, int row, bool payWithJewels)
{
    if (!IsBasketRow(row))
    {
        return false;
    }
    const BasketInfo& basket = GetBasket(row);
    return GetCash(player, payWithJewels) >= basket.price && row != player.basket &&
           player.area >= basket.availableFromArea;
}

bool BuyBasket(PlayerInfo& player, int row, bool payWithJewels)
{
    if (!CanBuyBasket(player, row, payWithJewels))
    {
        return false;
    }
    const BasketInfo& basket = GetBasket(row);
    if (player.zeve < basket.price)
    {
        // Only reachable with the jewel switch on, and then the jewels cover
        // the rest, so this never wraps.
        const std::int64_t missing = std::int64_t{basket.price} - player.zeve;
        player.jewels = static_cast<std::uint16_t>(player.jewels - missing);
        player.zeve = 0;
    }
    else
    {
        player.zeve -= basket.price;
    }
    player.basket = static_cast<std::uint16_t>(row);
    player.basketHealth = basket.maxHealth;
    return true;
}

BasketMark GetBasketMark(const PlayerInfo& player, int row)
{
    if (row == player.basket)
    {
        return BasketMark::AlreadyOwned;
    }
    if (player.area < GetBasket(row).availableFromArea)
    {
        return BasketMark::NotAvailableYet;
    }
    return BasketMark::None;
}

const char* GetBasketMarkText(BasketMark mark)
{
    switch (mark)
    {
    case BasketMark::AlreadyOwned:
        return "You already have this basket!";
    case BasketMark::NotAvailableYet:
        return "Not available yet.";
    case BasketMark::None:
        break;
    }
    return "";
}

StageStartCheck CheckStageStart(const PlayerInfo& player)
{
    if (player.basketHealth < kMinHealthToPlay)
    {
        return StageStartCheck::BasketDamaged;
    }
    StageInfo stage;
    GetStage(player.area, player.stage, stage);
    if (GetOwnedBasket(player).volume < stage.jewelsRequired)
    {
        return StageStartCheck::VolumeTooSmall;
    }
    return StageStartCheck::Ready;
}

const char* GetStageStartMessage(StageStartCheck check)
{
    switch (check)
    {
    case StageStartCheck::BasketDamaged:
        return "Your basket has damage. Fix it first.";
    case StageStartCheck::VolumeTooSmall:
        return "Volume of the basket is not enough!\n Try to buy a new one.";
    case StageStartCheck::Ready:
        break;
    }
    return "";
}

void ResetProgressForFirstStage(PlayerInfo& player)
{
    player.zeve = 0;
    player.jewels = 0;
    player.basket = 0;
    player.zeveVazes = 0;
    player.silverVazes = 0;
    player.bronzeVazes = 0;
    player.basketHealth = GetBasket(0).maxHealth;
}

} // namespace Gamespace
