// The level catalogue: four areas of ten stages, the artefact texts and the object image paths.
// SPDX-License-Identifier: MIT
#include "game/catalogue.h"

#include <array>
#include <utility>

namespace Gamespace
{
namespace
{

constexpr int kStagesPerArea = 10;

struct ArtefactText
{
    int id;
    const char* text;
};

// The texts keep the wording the players know, spelling included.
constexpr ArtefactText kArtefactTexts[] = {
    {3, "This artefact fix some damage for your basket."},
    {4, "This artefact increase speed of all objects."},
    {5, "Be carefull - this artefact decrease speed of all objects."},
    {6, "This magic artefact convert all garbage to gold."},
    {7, "This magic artefact convert all gold to jewels."},
    {8, "This artefact add extra time."},
    {9, "This artefact convert random object to the object you need to fill bonus line."},
    {10, "This artefact gives you ability to get extra bonus line."},
    {11, "This artefact freeze fime for 5 seconds."},
    {12, "This artefact may harm you even in next line! Be carefull!"},
};

// One stage of the design table; every lane lies at y = kLaneY.
struct StageRow
{
    std::uint16_t jewelColours;
    std::uint16_t laneCount;
    std::uint16_t lineLength;
    std::uint16_t lineTimeUnit;
    std::uint16_t jewelsPerLine;
    std::uint16_t garbageBelow;
    std::uint16_t zeveBelow;
    std::uint16_t zeveKinds;
    std::uint16_t speedMin;
    std::uint16_t speedMax;
    std::uint16_t jewelsRequired;
    std::vector<int> laneX;
    std::vector<ArtefactTimer> schedule;
    int introduces; // artefact first met in this stage, 0 for none
    int mapX;
    int mapY;
};

std::vector<StageRow> StageRows()
{
    // clang-format off
    // colours, lanes, line length, time unit, jewels per line, garbage below,
    // gold below, gold kinds, speed min, speed max, jewels required,
    // lane x positions, artefact schedule {id, period ms}, introduces, map x, map y
    return {
        // Deep town
        {2, 4, 0, 0, 25, 2, 6, 1, 80, 100, 5, {400, 490, 580, 670}, {}, 0, 100, 25},
        {3, 4, 1, 2, 5, 3, 6, 2, 80, 100, 8, {400, 490, 580, 670, 760}, {}, 0, 118, 18},
        {3, 4, 1, 3, 4, 3, 6, 2, 80, 100, 11, {400, 490, 580, 670, 760}, {}, 0, 138, 30},
        {3, 4, 2, 2, 3, 3, 6, 2, 80, 100, 13, {400, 490, 580, 670, 760}, {{4, 10000}}, 4, 160, 23},
        {4, 4, 2, 2, 5, 4, 6, 3, 80, 100, 14, {400, 490, 580, 670, 760}, {{4, 10000}}, 0, 185, 35},
        {4, 4, 2, 2, 4, 3, 5, 3, 80, 100, 15, {400, 490, 580, 670, 760, 850}, {{4, 10000}}, 0, 200, 17},
        {4, 4, 2, 2, 4, 3, 5, 3, 80, 105, 16, {400, 490, 580, 670, 760, 850}, {{4, 10000}, {5, 12000}}, 5, 218, 22},
        {4, 4, 2, 2, 5, 3, 5, 3, 80, 105, 18, {400, 490, 580, 670, 760, 850}, {{4, 10000}, {5, 12000}}, 0, 238, 33},
        {4, 4, 2, 3, 5, 4, 5, 3, 85, 105, 18, {400, 490, 580, 670, 760, 850}, {{4, 9000}, {5, 12000}}, 0, 261, 21},
        {4, 4, 2, 3, 7, 4, 5, 4, 100, 115, 19, {400, 490, 580, 670, 760, 850}, {{4, 8000}, {5, 15000}}, 0, 283, 16},
        // Lost ship
        {5, 5, 3, 2, 5, 3, 5, 4, 85, 105, 30, {370, 470, 570, 670, 770}, {{4, 11000}, {5, 15000}, {6, 17000}}, 6, 320, 15},
        {5, 5, 3, 2, 6, 3, 5, 4, 85, 105, 32, {370, 470, 570, 670, 770}, {{4, 15000}, {5, 20000}, {6, 17000}}, 0, 340, 14},
        {5, 5, 3, 2, 6, 3, 5, 4, 85, 105, 32, {370, 470, 570, 670, 770}, {{4, 11000}, {5, 16000}, {6, 17000}}, 0, 360, 20},
        {5, 5, 3, 2, 7, 4, 5, 4, 85, 105, 36, {370, 470, 570, 670, 770}, {{4, 9000}, {6, 30000}, {5, 13000}}, 0, 378, 29},
        {5, 5, 3, 3, 10, 4, 6, 4, 100, 125, 38, {370, 470, 570, 670, 770}, {{4, 13000}, {5, 18000}, {6, 19000}, {8, 23000}}, 8, 400, 16},
        {5, 5, 3, 3, 8, 3, 6, 3, 85, 105, 40, {370, 470, 570, 670, 770}, {{4, 12000}, {5, 18000}, {6, 19000}, {8, 23000}}, 0, 415, 23},
        {5, 5, 4, 3, 12, 4, 5, 3, 90, 110, 42, {370, 470, 570, 670, 770}, {{4, 12000}, {5, 20000}, {6, 19000}, {8, 25000}}, 0, 430, 28},
        {5, 5, 4, 3, 13, 5, 6, 4, 90, 110, 44, {390, 480, 570, 660, 750}, {{4, 11000}, {5, 22000}, {6, 15000}, {8, 15000}}, 0, 452, 18},
        {5, 5, 3, 4, 15, 5, 6, 4, 95, 115, 47, {390, 480, 570, 660, 750}, {{4, 14000}, {5, 21000}, {6, 19000}, {8, 22000}}, 0, 468, 30},
        {5, 5, 4, 4, 12, 5, 6, 4, 105, 120, 50, {390, 480, 570, 660, 750}, {{4, 8000}, {5, 16000}, {6, 25000}, {8, 12000}}, 0, 483, 15},
        // Rocks
        {4, 5, 4, 4, 14, 3, 6, 4, 110, 130, 51, {390, 480, 570, 660, 750}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 18000}, {7, 15000}}, 7, 520, 15},
        {4, 6, 4, 4, 16, 5, 7, 4, 110, 130, 52, {390, 480, 570, 660, 750, 840}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 21000}, {7, 15000}}, 0, 550, 14},
        {4, 6, 5, 3, 20, 4, 7, 4, 112, 130, 53, {390, 480, 570, 660, 750, 840}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 21000}, {7, 15000}}, 0, 570, 22},
        {5, 6, 5, 3, 24, 4, 7, 4, 115, 130, 54, {390, 480, 570, 660, 750, 840}, {{4, 10000}, {5, 25000}, {6, 26000}, {8, 10000}, {7, 12000}, {3, 15000}}, 3, 590, 26},
        {5, 6, 4, 4, 20, 3, 6, 4, 117, 132, 55, {390, 480, 570, 660, 750, 840}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 21000}, {7, 15000}, {3, 13000}}, 0, 610, 30},
        {5, 6, 4, 4, 20, 3, 6, 4, 120, 135, 56, {390, 480, 570, 660, 750, 840}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 21000}, {7, 15000}, {3, 13000}}, 0, 625, 30},
        {5, 6, 4, 4, 22, 3, 6, 4, 120, 135, 57, {390, 480, 570, 660, 750, 840}, {{4, 11000}, {5, 25000}, {6, 26000}, {8, 21000}, {7, 15000}, {3, 13000}, {11, 30000}}, 11, 642, 20},
        {5, 6, 4, 4, 25, 3, 6, 4, 122, 135, 58, {390, 480, 570, 660, 750, 840}, {{4, 15000}, {5, 25000}, {6, 26000}, {8, 25000}, {7, 15000}, {3, 13000}, {11, 35000}}, 0, 650, 28},
        {5, 6, 4, 4, 28, 4, 6, 4, 125, 140, 59, {390, 480, 570, 660, 750, 840}, {{4, 17000}, {5, 25000}, {6, 20000}, {8, 25000}, {7, 18000}, {3, 13000}, {11, 37000}}, 0, 669, 16},
        {6, 6, 5, 4, 29, 4, 7, 4, 127, 140, 60, {390, 480, 570, 660, 750, 840}, {{4, 17000}, {5, 25000}, {6, 20000}, {8, 25000}, {7, 18000}, {3, 13000}, {11, 37000}}, 0, 688, 28},
        // Underwater Castle
        {5, 6, 6, 3, 40, 4, 6, 4, 120, 135, 61, {390, 480, 570, 660, 750, 840}, {{4, 25000}, {5, 25000}, {6, 28000}, {8, 30000}, {7, 20000}, {3, 30000}, {11, 40000}, {12, 10000}}, 12, 720, 15},
        {5, 6, 5, 4, 35, 3, 7, 4, 120, 135, 62, {390, 480, 570, 660, 750, 840}, {{4, 30000}, {5, 25000}, {6, 30000}, {8, 35000}, {7, 25000}, {3, 35000}, {11, 45000}, {12, 10000}, {12, 23000}}, 0, 736, 34},
        {5, 6, 5, 4, 32, 4, 6, 4, 120, 135, 63, {390, 480, 570, 660, 750, 840}, {{4, 23000}, {5, 26000}, {6, 30000}, {8, 23000}, {7, 25000}, {3, 40000}, {11, 50000}, {12, 8000}, {12, 15000}, {10, 60000}}, 10, 748, 20},
        {5, 6, 3, 6, 31, 5, 6, 4, 120, 135, 64, {390, 480, 570, 660, 750, 840}, {{4, 25000}, {5, 26000}, {6, 30000}, {8, 22000}, {7, 25000}, {3, 40000}, {11, 50000}, {12, 9000}, {12, 15000}, {10, 70000}}, 0, 770, 20},
        {5, 6, 4, 6, 37, 4, 6, 4, 120, 135, 65, {390, 480, 570, 660, 750, 840}, {{4, 25000}, {5, 26000}, {6, 30000}, {8, 22000}, {7, 25000}, {3, 40000}, {11, 50000}, {12, 9000}, {12, 15000}, {10, 70000}}, 0, 786, 32},
        {5, 6, 4, 6, 35, 4, 7, 4, 120, 135, 66, {390, 480, 570, 660, 750, 840}, {{4, 18000}, {5, 26000}, {6, 30000}, {8, 8000}, {7, 25000}, {3, 40000}, {11, 50000}, {12, 9000}, {12, 15000}, {10, 70000}}, 0, 810, 20},
        {5, 6, 4, 6, 35, 4, 7, 4, 120, 135, 67, {390, 480, 570, 660, 750, 840}, {{4, 12000}, {6, 26000}, {8, 12000}, {7, 15000}, {3, 13000}, {10, 120000}, {11, 30000}, {5, 35000}, {12, 10000}, {9, 10000}}, 9, 828, 15},
        {5, 6, 6, 4, 40, 4, 7, 4, 120, 135, 68, {390, 480, 570, 660, 750, 840}, {{4, 15000}, {5, 26000}, {6, 30000}, {8, 10000}, {7, 25000}, {3, 40000}, {11, 50000}, {12, 12000}, {12, 15000}, {10, 70000}, {9, 10000}}, 0, 850, 20},
        {5, 6, 5, 4, 33, 4, 7, 4, 120, 135, 69, {390, 480, 570, 660, 750, 840}, {{4, 12000}, {6, 26000}, {8, 20000}, {7, 15000}, {3, 13000}, {11, 30000}, {10, 120000}, {5, 35000}, {9, 10000}, {12, 10000}}, 0, 870, 28},
        {6, 7, 8, 1, 30, 3, 6, 4, 120, 135, 100, {300, 390, 480, 570, 660, 750, 840}, {{4, 15000}, {6, 16000}, {8, 10000}, {7, 17000}, {3, 13000}, {11, 20000}, {5, 35000}, {9, 10000}, {12, 6000}, {12, 17000}}, 0, 890, 17},
    };
    // clang-format on
}

using BubblePoints = std::array<GamePoint, 4>;
constexpr BubblePoints kBubblesDeepAndRocks = {{{183, 710}, {350, 760}, {600, 745}, {750, 715}}};
constexpr BubblePoints kBubblesShipAndCastle = {{{140, 720}, {350, 720}, {590, 745}, {710, 715}}};

StageInfo MakeStage(const StageRow& row)
{
    StageInfo stage;
    stage.jewelImageSet = 1;
    stage.jewelColours = row.jewelColours;
    stage.laneCount = row.laneCount;
    stage.lineLength = row.lineLength;
    stage.lineTimeUnit = row.lineTimeUnit;
    stage.jewelsPerLine = row.jewelsPerLine;
    stage.garbageBelow = row.garbageBelow;
    stage.zeveBelow = row.zeveBelow;
    stage.zeveKinds = row.zeveKinds;
    stage.speedMin = row.speedMin;
    stage.speedMax = row.speedMax;
    stage.jewelsRequired = row.jewelsRequired;
    for (const int x : row.laneX)
    {
        stage.lanePositions.push_back({x, kLaneY});
    }
    stage.artefactSchedule = row.schedule;
    if (row.introduces != 0)
    {
        stage.newArtefacts.push_back({row.introduces, GetArtefactText(row.introduces)});
    }
    stage.mapX = row.mapX;
    stage.mapY = row.mapY;
    return stage;
}

std::vector<AreaInfo> MakeAreas()
{
    const std::array<std::pair<const char*, const BubblePoints*>, 4> areas = {{
        {"Deep town", &kBubblesDeepAndRocks},
        {"Lost ship", &kBubblesShipAndCastle},
        {"Rocks", &kBubblesDeepAndRocks},
        {"Underwater Castle", &kBubblesShipAndCastle},
    }};
    const std::vector<StageRow> rows = StageRows();
    std::vector<AreaInfo> list;
    for (std::size_t a = 0; a < areas.size(); ++a)
    {
        AreaInfo area;
        area.name = areas[a].first;
        area.bubblePoints.assign(areas[a].second->begin(), areas[a].second->end());
        for (std::size_t s = 0; s < kStagesPerArea; ++s)
        {
            area.stages.push_back(MakeStage(rows[a * kStagesPerArea + s]));
        }
        list.push_back(std::move(area));
    }
    return list;
}

const std::vector<AreaInfo>& Areas()
{
    // Built once, thread-safely, and never changed afterwards.
    static const std::vector<AreaInfo> areas = MakeAreas();
    return areas;
}

// "/N.png" for an index 0..5 (N = index + 1), nothing otherwise.
std::string NumberedFile(int index)
{
    if (index < 0 || index > 5)
    {
        return {};
    }
    return "/" + std::to_string(index + 1) + ".png";
}

} // namespace

void BuildCatalogue()
{
    (void)Areas();
}

int GetAreaCount()
{
    return static_cast<int>(Areas().size());
}

const AreaInfo& GetArea(std::uint16_t area)
{
    static const AreaInfo empty;
    const std::vector<AreaInfo>& areas = Areas();
    return area < areas.size() ? areas[area] : empty;
}

void GetStage(std::uint16_t area, std::uint16_t stage, StageInfo& out)
{
    const AreaInfo& info = GetArea(area);
    out = stage < info.stages.size() ? info.stages[stage] : StageInfo{};
}

std::string GetArtefactText(int id)
{
    for (const ArtefactText& entry : kArtefactTexts)
    {
        if (entry.id == id)
        {
            return entry.text;
        }
    }
    return {};
}

std::string GetJewelImage(int imageSet, int colour)
{
    // Every image set shares one folder; the sets exist in the design only.
    std::string path = "images/objects";
    if (imageSet >= 1 && imageSet <= 6)
    {
        path += "/1";
    }
    return path + NumberedFile(colour);
}

std::string GetZeveImage(int kind)
{
    return "images/obj_jew" + NumberedFile(kind);
}

std::string GetGarbageImage(int kind)
{
    return "images/obj_bomb" + NumberedFile(kind);
}

std::string GetArtefactImage(int type)
{
    switch (static_cast<ObjectType>(type))
    {
    case ObjectType::HealthKit:
        return "images/bonuses/health_kit.png";
    case ObjectType::SpeedUp:
        return "images/bonuses/speed_up.png";
    case ObjectType::SpeedDown:
        return "images/bonuses/speed_down.png";
    case ObjectType::TrashToZeve:
        return "images/bonuses/trash2zeve.png";
    case ObjectType::ZeveToJewel:
        return "images/bonuses/zeve2jewel.png";
    case ObjectType::ExtraTime:
        return "images/bonuses/time.png";
    case ObjectType::MagicWand:
        return "images/bonuses/magic_palka.png";
    case ObjectType::ExtraLine:
        return "images/bonuses/extra_line.png";
    case ObjectType::TimeFreeze:
        return "images/bonuses/time_freeze.png";
    case ObjectType::Dynamite:
        return "images/bonuses/dynamit.png";
    default:
        return {};
    }
}

} // namespace Gamespace
