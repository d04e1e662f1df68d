// Tests of the level catalogue: areas, stages, artefact introductions and image paths.
// SPDX-License-Identifier: MIT
#include "game/catalogue.h"

#include <map>

#include <gtest/gtest.h>

namespace Gamespace
{
namespace
{

std::vector<int> LaneXs(const StageInfo& stage)
{
    std::vector<int> xs;
    for (const GamePoint& point : stage.lanePositions)
    {
        xs.push_back(point.x);
    }
    return xs;
}

TEST(Catalogue, FourNamedAreasOfTenStages)
{
    BuildCatalogue();
    BuildCatalogue(); // a second build changes nothing
    ASSERT_EQ(4, GetAreaCount());
    const char* names[] = {"Deep town", "Lost ship", "Rocks", "Underwater Castle"};
    const std::vector<GamePoint> deepAndRocks = {{183, 710}, {350, 760}, {600, 745}, {750, 715}};
    const std::vector<GamePoint> shipAndCastle = {{140, 720}, {350, 720}, {590, 745}, {710, 715}};
    for (std::uint16_t a = 0; a < 4; ++a)
    {
        EXPECT_EQ(names[a], GetArea(a).name);
        EXPECT_EQ(10u, GetArea(a).stages.size());
        EXPECT_EQ(a % 2 == 0 ? deepAndRocks : shipAndCastle, GetArea(a).bubblePoints);
    }
}

TEST(Catalogue, LastStageOfTheCastle)
{
    StageInfo stage;
    GetStage(3, 9, stage);
    EXPECT_EQ(7, stage.laneCount);
    EXPECT_EQ((std::vector<int>{300, 390, 480, 570, 660, 750, 840}), LaneXs(stage));
    EXPECT_EQ(8, stage.lineLength);
    EXPECT_EQ(1, stage.lineTimeUnit);
    EXPECT_EQ(100, stage.jewelsRequired);
    EXPECT_EQ(6, stage.jewelColours);
    const std::vector<ArtefactTimer> schedule = {{4, 15000}, {6, 16000},  {8, 10000}, {7, 17000},
                                                 {3, 13000}, {11, 20000}, {5, 35000}, {9, 10000},
                                                 {12, 6000}, {12, 17000}};
    EXPECT_EQ(schedule, stage.artefactSchedule);
    EXPECT_TRUE(stage.newArtefacts.empty());
    EXPECT_EQ(890, stage.mapX);
    EXPECT_EQ(17, stage.mapY);
}

TEST(Catalogue, AStageMayListMoreLanePositionsThanLanes)
{
    StageInfo stage;
    GetStage(0, 1, stage);
    EXPECT_EQ(4, stage.laneCount);
    EXPECT_EQ((std::vector<int>{400, 490, 580, 670, 760}), LaneXs(stage));
}

TEST(Catalogue, OneFullRow)
{
    StageInfo stage;
    GetStage(1, 4, stage);
    EXPECT_EQ(1, stage.jewelImageSet);
    EXPECT_EQ(5, stage.jewelColours);
    EXPECT_EQ(5, stage.laneCount);
    EXPECT_EQ(3, stage.lineLength);
    EXPECT_EQ(3, stage.lineTimeUnit);
    EXPECT_EQ(10, stage.jewelsPerLine);
    EXPECT_EQ(4, stage.garbageBelow);
    EXPECT_EQ(6, stage.zeveBelow);
    EXPECT_EQ(4, stage.zeveKinds);
    EXPECT_EQ(100, stage.speedMin);
    EXPECT_EQ(125, stage.speedMax);
    EXPECT_EQ(38, stage.jewelsRequired);
    EXPECT_EQ((std::vector<int>{370, 470, 570, 670, 770}), LaneXs(stage));
    EXPECT_EQ((std::vector<ArtefactTimer>{{4, 13000}, {5, 18000}, {6, 19000}, {8, 23000}}),
              stage.artefactSchedule);
    EXPECT_EQ((std::vector<NewArtefact>{{8, "This artefact add extra time."}}), stage.newArtefacts);
    EXPECT_EQ(400, stage.mapX);
    EXPECT_EQ(16, stage.mapY);
}

TEST(Catalogue, PastTheEndGivesDefaults)
{
    const std::pair<std::uint16_t, std::uint16_t> places[] = {
        {0, 10}, {3, 65535}, {4, 0}, {65535, 3}};
    for (const auto& [area, index] : places)
    {
        StageInfo stage;
        stage.laneCount = 9;
        stage.artefactSchedule.push_back({4, 1});
        GetStage(area, index, stage);
        EXPECT_EQ(1, stage.laneCount);
        EXPECT_EQ(1, stage.jewelsRequired);
        EXPECT_EQ(1, stage.lineLength);
        EXPECT_EQ(3, stage.jewelsPerLine);
        EXPECT_EQ(60, stage.speedMin);
        EXPECT_EQ(80, stage.speedMax);
        EXPECT_TRUE(stage.artefactSchedule.empty());
        EXPECT_TRUE(stage.lanePositions.empty());
    }
    EXPECT_TRUE(GetArea(4).stages.empty());
    EXPECT_TRUE(GetArea(4).bubblePoints.empty());
    EXPECT_TRUE(GetArea(4).name.empty());
}

// Every artefact is introduced exactly once, where the design says, with its
// text, in a stage whose schedule drops it.
TEST(Catalogue, EachArtefactIsIntroducedOnceWhereItFirstFalls)
{
    const std::map<int, std::pair<int, int>> introducedAt = {
        {3, {3, 4}}, {4, {1, 4}}, {5, {1, 7}},  {6, {2, 1}},  {7, {3, 1}},
        {8, {2, 5}}, {9, {4, 7}}, {10, {4, 3}}, {11, {3, 7}}, {12, {4, 1}},
    };
    std::map<int, int> seen;
    for (std::uint16_t a = 0; a < 4; ++a)
    {
        for (std::uint16_t s = 0; s < 10; ++s)
        {
            StageInfo stage;
            GetStage(a, s, stage);
            for (const NewArtefact& artefact : stage.newArtefacts)
            {
                ++seen[artefact.id];
                EXPECT_EQ(introducedAt.at(artefact.id), std::make_pair(a + 1, s + 1));
                EXPECT_EQ(GetArtefactText(artefact.id), artefact.text);
                const bool dropped =
                    std::any_of(stage.artefactSchedule.begin(), stage.artefactSchedule.end(),
                                [&](const ArtefactTimer& t) { return t.id == artefact.id; });
                EXPECT_TRUE(dropped) << "artefact " << artefact.id;
            }
        }
    }
    EXPECT_EQ(10u, seen.size());
    for (const auto& [id, count] : seen)
    {
        EXPECT_EQ(1, count) << "artefact " << id;
    }
    EXPECT_EQ("This artefact freeze fime for 5 seconds.", GetArtefactText(11));
    EXPECT_EQ("", GetArtefactText(2));
}

// Properties of the whole design that a slip in one row would break.
TEST(Catalogue, EveryStageIsPlayable)
{
    int lastMapX = 0;
    int lastRequired = 0;
    for (std::uint16_t a = 0; a < 4; ++a)
    {
        for (std::uint16_t s = 0; s < 10; ++s)
        {
            SCOPED_TRACE(testing::Message() << "area " << a + 1 << " stage " << s + 1);
            StageInfo stage;
            GetStage(a, s, stage);
            EXPECT_GE(stage.lanePositions.size(), stage.laneCount);
            for (const GamePoint& point : stage.lanePositions)
            {
                EXPECT_EQ(kLaneY, point.y);
            }
            EXPECT_LT(stage.speedMin, stage.speedMax);
            EXPECT_GE(stage.jewelColours, 2);
            EXPECT_LE(stage.jewelColours, 6);
            EXPECT_LE(stage.zeveKinds, 6);
            EXPECT_LE(stage.garbageBelow, stage.zeveBelow);
            EXPECT_GT(stage.mapX, lastMapX);
            EXPECT_GE(stage.jewelsRequired, lastRequired);
            lastMapX = stage.mapX;
            lastRequired = stage.jewelsRequired;
            for (const ArtefactTimer& timer : stage.artefactSchedule)
            {
                EXPECT_FALSE(GetArtefactImage(timer.id).empty());
                EXPECT_GT(timer.periodMs, 0);
            }
        }
    }
}

TEST(Catalogue, ImagePaths)
{
    const std::pair<std::string, std::string> cases[] = {
        {GetJewelImage(1, 5), "images/objects/1/6.png"},
        {GetJewelImage(1, 0), "images/objects/1/1.png"},
        {GetJewelImage(6, 2), "images/objects/1/3.png"},
        {GetJewelImage(7, 2), "images/objects/3.png"},
        {GetJewelImage(0, 2), "images/objects/3.png"},
        {GetJewelImage(1, 6), "images/objects/1"},
        {GetJewelImage(1, -1), "images/objects/1"},
        {GetZeveImage(0), "images/obj_jew/1.png"},
        {GetZeveImage(5), "images/obj_jew/6.png"},
        {GetZeveImage(6), "images/obj_jew"},
        {GetGarbageImage(3), "images/obj_bomb/4.png"},
        {GetGarbageImage(-2), "images/obj_bomb"},
        {GetArtefactImage(3), "images/bonuses/health_kit.png"},
        {GetArtefactImage(4), "images/bonuses/speed_up.png"},
        {GetArtefactImage(5), "images/bonuses/speed_down.png"},
        {GetArtefactImage(6), "images/bonuses/trash2zeve.png"},
        {GetArtefactImage(7), "images/bonuses/zeve2jewel.png"},
        {GetArtefactImage(8), "images/bonuses/time.png"},
        {GetArtefactImage(9), "images/bonuses/magic_palka.png"},
        {GetArtefactImage(10), "images/bonuses/extra_line.png"},
        {GetArtefactImage(11), "images/bonuses/time_freeze.png"},
        {GetArtefactImage(12), "images/bonuses/dynamit.png"},
        {GetArtefactImage(0), ""},
        {GetArtefactImage(2), ""},
        {GetArtefactImage(13), ""},
    };
    for (const auto& [actual, expected] : cases)
    {
        EXPECT_EQ(expected, actual);
    }
}

} // namespace
} // namespace Gamespace
