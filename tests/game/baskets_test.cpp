// Tests of the basket list and the shop, workshop and stage-start rules.
// SPDX-License-Identifier: MIT
#include "game/baskets.h"

#include <gtest/gtest.h>

namespace Gamespace
{
namespace
{

PlayerInfo Owner(std::uint16_t basket, std::uint16_t health, std::int32_t zeve = 0,
                 std::uint16_t jewels = 0, std::uint16_t area = 0)
{
    PlayerInfo player;
    player.basket = basket;
    player.basketHealth = health;
    player.zeve = zeve;
    player.jewels = jewels;
    player.area = area;
    return player;
}

TEST(BasketList, HoldsTheThreeBaskets)
{
    ASSERT_EQ(3, GetBasketCount());
    const struct
    {
        std::int32_t price;
        int volume, maxHealth, miniFixPoints, costPerPoint, timeToPlay;
        const char* image;
        int fromArea;
    } rows[] = {
        {50, 25, 15, 1, 1, 25, "images/baskets/1.png", 0},
        {200, 55, 25, 6, 2, 40, "images/baskets/2.png", 1},
        {575, 110, 40, 8, 3, 55, "images/baskets/4.png", 2},
    };
    for (int i = 0; i < 3; ++i)
    {
        const BasketInfo& basket = GetBasket(i);
        EXPECT_EQ(rows[i].price, basket.price);
        EXPECT_EQ(rows[i].volume, basket.volume);
        EXPECT_EQ(rows[i].maxHealth, basket.maxHealth);
        EXPECT_EQ(rows[i].miniFixPoints, basket.miniFixPoints);
        EXPECT_EQ(rows[i].costPerPoint, basket.costPerPoint);
        EXPECT_EQ(rows[i].timeToPlay, basket.timeToPlay);
        EXPECT_EQ(rows[i].image, GetBasketImagePath(basket));
        EXPECT_EQ(rows[i].fromArea, basket.availableFromArea);
    }
}

TEST(Workshop, RepairsFollowTheWorkedExamples)
{
    const struct
    {
        const char* what;
        PlayerInfo player;
        int damage;
        bool miniOffered;
        int miniCost;
        bool fullOffered;
        int fullCost;
    } cases[] = {
        {"basket 0 one point down", Owner(0, 14, 100), 1, false, 1, true, 1},
        {"basket 1 at 10", Owner(1, 10, 100), 15, true, 12, true, 30},
        {"basket 1 at 10, 20 gold", Owner(1, 10, 20), 15, true, 12, false, 30},
        {"basket 1 at 10, 11 gold", Owner(1, 10, 11), 15, false, 12, false, 30},
        {"undamaged", Owner(2, 40, 1000), 0, false, 24, false, 0},
        {"one over full after a health kit", Owner(0, 16, 1000), 0, false, 1, false, 0},
        {"damage equal to the mini points", Owner(1, 19, 1000), 6, false, 12, true, 12},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.damage, GetBasketDamage(c.player));
        EXPECT_EQ(c.miniOffered, CanMiniFix(c.player));
        EXPECT_EQ(c.miniCost, GetMiniFixCost(c.player));
        EXPECT_EQ(c.fullOffered, CanFullFix(c.player));
        EXPECT_EQ(c.fullCost, GetFullFixCost(c.player));
    }
}

TEST(Workshop, RepairsChangeGoldAndHealth)
{
    PlayerInfo player = Owner(1, 10, 100);
    ASSERT_TRUE(MiniFix(player));
    EXPECT_EQ(16, player.basketHealth);
    EXPECT_EQ(88, player.zeve);
    ASSERT_TRUE(FullFix(player));
    EXPECT_EQ(25, player.basketHealth);
    EXPECT_EQ(70, player.zeve);
    EXPECT_FALSE(FullFix(player));
    EXPECT_FALSE(MiniFix(player));
    EXPECT_EQ(70, player.zeve);

    PlayerInfo poor = Owner(0, 5, 3);
    EXPECT_FALSE(FullFix(poor));
    EXPECT_EQ(5, poor.basketHealth);
    EXPECT_EQ(3, poor.zeve);
}

TEST(Shop, JewelsPayWhatGoldCannotWhenTheSwitchIsOn)
{
    PlayerInfo player = Owner(0, 15, 500, 100, 2);
    EXPECT_EQ(500, GetCash(player, false));
    EXPECT_EQ(600, GetCash(player, true));
    EXPECT_FALSE(CanBuyBasket(player, 2, false));
    ASSERT_TRUE(BuyBasket(player, 2, true));
    EXPECT_EQ(0, player.zeve);
    EXPECT_EQ(25, player.jewels);
    EXPECT_EQ(2, player.basket);
    EXPECT_EQ(40, player.basketHealth);
}

TEST(Shop, GoldAloneIsSpentFirst)
{
    PlayerInfo player = Owner(0, 3, 250, 40, 1);
    ASSERT_TRUE(BuyBasket(player, 1, true));
    EXPECT_EQ(50, player.zeve);
    EXPECT_EQ(40, player.jewels);
    EXPECT_EQ(25, player.basketHealth);
}

TEST(Shop, AvailabilityMarksAndRefusals)
{
    const PlayerInfo player = Owner(0, 15, 600, 0, 1);
    EXPECT_FALSE(CanBuyBasket(player, 2, false));
    EXPECT_EQ(BasketMark::NotAvailableYet, GetBasketMark(player, 2));
    EXPECT_STREQ("Not available yet.", GetBasketMarkText(GetBasketMark(player, 2)));
    EXPECT_TRUE(CanBuyBasket(player, 1, false));
    EXPECT_EQ(BasketMark::None, GetBasketMark(player, 1));
    EXPECT_STREQ("", GetBasketMarkText(BasketMark::None));
    EXPECT_FALSE(CanBuyBasket(player, 0, false));
    EXPECT_EQ(BasketMark::AlreadyOwned, GetBasketMark(player, 0));
    EXPECT_STREQ("You already have this basket!", GetBasketMarkText(BasketMark::AlreadyOwned));
    EXPECT_FALSE(CanBuyBasket(player, 3, true));
    EXPECT_FALSE(CanBuyBasket(player, -1, true));

    PlayerInfo unchanged = player;
    EXPECT_FALSE(BuyBasket(unchanged, 2, true));
    EXPECT_EQ(600, unchanged.zeve);
    EXPECT_EQ(0, unchanged.basket);
}

TEST(StageStart, ChecksHealthThenVolume)
{
    const struct
    {
        const char* what;
        PlayerInfo player;
        std::uint16_t stage;
        StageStartCheck expected;
    } cases[] = {
        {"health 4", Owner(2, 4, 0, 0, 0), 0, StageStartCheck::BasketDamaged},
        {"health 5", Owner(2, 5, 0, 0, 0), 0, StageStartCheck::Ready},
        {"health 4 and too small", Owner(0, 4, 0, 0, 1), 0, StageStartCheck::BasketDamaged},
        {"30 jewels, basket 0", Owner(0, 15, 0, 0, 1), 0, StageStartCheck::VolumeTooSmall},
        {"30 jewels, basket 1", Owner(1, 25, 0, 0, 1), 0, StageStartCheck::Ready},
        {"19 jewels fit basket 0", Owner(0, 15, 0, 0, 0), 9, StageStartCheck::Ready},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        PlayerInfo player = c.player;
        player.stage = c.stage;
        EXPECT_EQ(c.expected, CheckStageStart(player));
    }
    EXPECT_STREQ("Your basket has damage. Fix it first.",
                 GetStageStartMessage(StageStartCheck::BasketDamaged));
    EXPECT_STREQ("Volume of the basket is not enough!\n Try to buy a new one.",
                 GetStageStartMessage(StageStartCheck::VolumeTooSmall));
}

TEST(BasketList, ABasketNumberFromADamagedSaveReadsAsBasketZero)
{
    const PlayerInfo player = Owner(7, 10, 100);
    EXPECT_EQ(25, GetOwnedBasket(player).volume);
    EXPECT_EQ(5, GetBasketDamage(player));
    EXPECT_EQ(25, GetBasket(65535).volume);
}

TEST(BasketList, FirstStageStartsWithBasketZeroAtFullHealth)
{
    PlayerInfo player = Owner(2, 1, 700, 30, 0);
    player.zeveVazes = 2;
    ResetProgressForFirstStage(player);
    EXPECT_EQ(0, player.basket);
    EXPECT_EQ(15, player.basketHealth);
    EXPECT_EQ(0, player.zeve);
    EXPECT_EQ(0, player.jewels);
    EXPECT_EQ(0, player.zeveVazes);
}

} // namespace
} // namespace Gamespace
