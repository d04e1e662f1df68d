// The level catalogue: four areas of ten stages, the artefact texts and the object image paths.
// SPDX-License-Identifier: MIT
//
// Rules of this module:
// - The catalogue is the game's level design, compiled in. It is built once,
//   on BuildCatalogue or on the first lookup, whichever comes first, and is
//   read-only afterwards, so any thread may read it.
// - Lookups never fail: an area index past the end gives an empty area, a
//   stage index past the end of its area gives a stage with the defaults of
//   StageInfo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Gamespace
{

// Kinds of falling objects; artefacts use the same numbers in schedules and
// descriptions.
enum class ObjectType : int
{
    Jewel = 0,
    Zadi = 1, // gold
    Garbage = 2,
    HealthKit = 3,
    SpeedUp = 4,
    SpeedDown = 5,
    TrashToZeve = 6,
    ZeveToJewel = 7,
    ExtraTime = 8,
    MagicWand = 9,
    ExtraLine = 10,
    TimeFreeze = 11,
    Dynamite = 12,
};

struct GamePoint
{
    int x = 0;
    int y = 0;
    friend bool operator==(const GamePoint&, const GamePoint&) = default;
};

// Drops artefact `id` every `periodMs` milliseconds.
struct ArtefactTimer
{
    int id = 0;
    int periodMs = 0;
    friend bool operator==(const ArtefactTimer&, const ArtefactTimer&) = default;
};

// An artefact that a stage shows for the first time, with its description.
struct NewArtefact
{
    int id = 0;
    std::string text;
    friend bool operator==(const NewArtefact&, const NewArtefact&) = default;
};

struct StageInfo
{
    std::uint16_t jewelImageSet = 1;
    std::uint16_t jewelColours = 0; // colours 0 .. jewelColours - 1 are in play
    std::uint16_t laneCount = 1;
    std::uint16_t lineLength = 1;         // jewels in a bonus line; 0 = no bonus line
    std::uint16_t lineTimeUnit = 1;       // seconds per position for bonus-line catches
    std::uint16_t jewelsPerLine = 3;      // a new bonus line after this many jewels
    std::uint16_t garbageBelow = 3;       // a draw 0..9 below this makes garbage
    std::uint16_t zeveBelow = 5;          // otherwise a draw below this makes gold
    std::uint16_t zeveKinds = 3;          // gold kind k is worth k + 1
    std::uint16_t speedMin = 60;          // pixels per second
    std::uint16_t speedMax = 80;          // exclusive
    std::uint16_t jewelsRequired = 1;     // to pass the stage
    std::vector<GamePoint> lanePositions; // only the first laneCount are used
    std::vector<ArtefactTimer> artefactSchedule;
    std::vector<NewArtefact> newArtefacts;
    int mapX = 0;
    int mapY = 0;
};

struct AreaInfo
{
    std::vector<StageInfo> stages;
    std::vector<GamePoint> bubblePoints; // where the backdrop's bubbles rise from
    std::string name;
};

constexpr int kLaneY = 612;

// Builds the catalogue if it is not built yet.
void BuildCatalogue();

int GetAreaCount();

// The area, or a shared empty area for an index at or past the count.
const AreaInfo& GetArea(std::uint16_t area);

// Copies the stage into out; a stage index at or past the area's stage count
// (or an area past the end) copies a stage with the StageInfo defaults.
void GetStage(std::uint16_t area, std::uint16_t stage, StageInfo& out);

// The description of an artefact, or an empty text for any other id.
std::string GetArtefactText(int id);

// Image paths of the falling objects. A value outside the known range leaves
// out the part it selects (see each function); an unknown artefact type
// gives an empty path.
std::string GetJewelImage(int imageSet, int colour);
std::string GetZeveImage(int kind);
std::string GetGarbageImage(int kind);
std::string GetArtefactImage(int type);

} // namespace Gamespace
