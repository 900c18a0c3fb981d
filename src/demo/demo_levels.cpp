#include "demo/demo_levels.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "edit/insertion.h"
#include "level/level_addresses.h"
#include "level/level_stream.h"

namespace kestrova::demo {

namespace {

constexpr std::uint8_t kMirrored = kMirroredFlag;  // cliff, cliff edge: the right-hand form

// The Insert menu's group tags the demo levels use; their bytes come from the
// insertion tables, so a demo group is byte for byte what the editor inserts.
constexpr int kCaveBottomWithSpaceTag = 28;
constexpr int kCaveMainWithSpaceTag = 30;
constexpr int kLogCrossingLeftTag = 33;
constexpr int kLogCrossingRightTag = 34;
constexpr int kTunnelWithoutMotorbikeTag = 40;
constexpr int kTunnelWithMotorbikeTag = 41;
constexpr int kFullRoadTag = 47;
constexpr int kFortressGateOnlyTag = 48;
constexpr int kFortressSoldiersOnGateTag = 49;

// The records of a group tag placed at `column` (only the cave groups carry one).
Records Group(int tag, std::uint8_t column = 0) {
  const GroupTag* group = FindGroupTag(tag);
  if (group == nullptr) throw std::logic_error("no insertion group with tag " + std::to_string(tag));
  const std::vector<std::uint8_t> bytes = GroupBytes(*group, column);
  Records records;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) records.push_back({bytes[i], bytes[i + 1]});
  return records;
}

Record Of(ObjectCode code, std::uint8_t operand) { return {static_cast<std::uint8_t>(code), operand}; }
Records One(ObjectCode code, std::uint8_t operand) { return {Of(code, operand)}; }

// Land space of n: the next records stand 2n + 2 rows higher.
Records Space(std::uint8_t n) { return One(ObjectCode::LandSpace, n); }
Records SpawnPoint() { return One(ObjectCode::SpawnPoint, 0); }
Records LevelEnd() { return One(ObjectCode::SpawnPoint, kOperandEndRecord); }
Records Tree(std::uint8_t column) { return One(ObjectCode::Tree, column); }
Records Boulder(std::uint8_t column) { return One(ObjectCode::Boulder, column); }
Records SingleGrenade(std::uint8_t column) { return One(ObjectCode::SingleGrenade, column); }
Records TripleGrenade(std::uint8_t column) { return One(ObjectCode::TripleGrenade, column); }
Records QuintupleGrenade(std::uint8_t column) { return One(ObjectCode::QuintupleGrenade, column); }
Records LeftMortar(std::uint8_t column) { return One(ObjectCode::LeftMortar, column); }
Records RightMortar(std::uint8_t column) { return One(ObjectCode::RightMortar, column); }
Records Bunker(std::uint8_t column) { return One(ObjectCode::Bunker, column); }
Records Barracks() { return One(ObjectCode::Barracks, 0); }
Records SmallHut(std::uint8_t column) { return One(ObjectCode::Hut, column); }
Records LargeHut(std::uint8_t column) {
  return One(ObjectCode::Hut, static_cast<std::uint8_t>(column | kLargeHutFlag));
}
Records Truck() { return One(ObjectCode::Truck, 0); }
Records Motorbike() { return One(ObjectCode::Motorbike, 0); }
Records Jeep() { return One(ObjectCode::Jeep, 0); }
Records PrisonerOfWar() { return One(ObjectCode::PrisonerOfWar, 0); }
Records AlarmOn() { return One(ObjectCode::AlarmSwitch, 1); }
Records AlarmOff() { return One(ObjectCode::AlarmSwitch, 0); }
Records RocketAttack(std::uint8_t ferocity) { return One(ObjectCode::RocketLauncherAttack, ferocity); }
Records RocketAttackEnd() { return One(ObjectCode::RocketLauncherAttack, 0); }
Records LeftCliff(std::uint8_t column) { return One(ObjectCode::Cliff, column); }
Records RightCliff(std::uint8_t column) {
  return One(ObjectCode::Cliff, static_cast<std::uint8_t>(column | kMirrored));
}
Records CliffEdge(std::uint8_t column, std::uint8_t flags) {
  return One(ObjectCode::CliffEdge, static_cast<std::uint8_t>(column | flags));
}
Records CaveTop(std::uint8_t column) { return One(ObjectCode::CaveTopEdge, column); }
// The cave parts with the space the editor inserts after them.
Records CaveBottomWithSpace(std::uint8_t column) { return Group(kCaveBottomWithSpaceTag, column); }
Records CaveMainWithSpace(std::uint8_t column) { return Group(kCaveMainWithSpaceTag, column); }
Records Join(std::initializer_list<Records> pieces) {
  Records records;
  for (const Records& piece : pieces) records.insert(records.end(), piece.begin(), piece.end());
  return records;
}

// A whole cave: bottom edge, main part, top edge, 56 rows.
Records Cave(std::uint8_t column) {
  return Join({CaveBottomWithSpace(column), CaveMainWithSpace(column), CaveTop(column)});
}

// Two caves standing side by side: the first one's parts without a space,
// the second one's with the spaces that lift both.
Records CavesSideBySide(std::uint8_t first, std::uint8_t second) {
  return Join({One(ObjectCode::CaveBottomEdge, first), CaveBottomWithSpace(second), One(ObjectCode::CaveMain, first),
               CaveMainWithSpace(second), CaveTop(first), CaveTop(second)});
}

// Trench and sandbags rows: a left part, `middles` middle parts, a right part.
Records Trench(std::uint8_t column, int middles) {
  Records records = One(ObjectCode::TrenchLeft, column);
  auto at = static_cast<std::uint8_t>(column + 2);
  for (int i = 0; i < middles; ++i, at = static_cast<std::uint8_t>(at + 4))
    records.push_back(Of(ObjectCode::TrenchMiddle, at));
  records.push_back(Of(ObjectCode::TrenchRight, at));
  return records;
}
Records Sandbags(std::uint8_t column, int middles) {
  Records records = One(ObjectCode::SandbagsLeft, column);
  auto at = static_cast<std::uint8_t>(column + 2);
  for (int i = 0; i < middles; ++i, at = static_cast<std::uint8_t>(at + 3))
    records.push_back(Of(ObjectCode::SandbagsMiddle, at));
  records.push_back(Of(ObjectCode::SandbagsRight, at));
  return records;
}

Records LogCrossingLeft() { return Group(kLogCrossingLeftTag); }
Records LogCrossingRight() { return Group(kLogCrossingRightTag); }
Records TunnelWithoutMotorbike() { return Group(kTunnelWithoutMotorbikeTag); }
Records TunnelWithMotorbike() { return Group(kTunnelWithMotorbikeTag); }
Records FullRoad() { return Group(kFullRoadTag); }
// A fortress closes its level: the group ends with the end record.
Records FortressGateOnly() { return Group(kFortressGateOnlyTag); }
Records FortressSoldiersOnGate() { return Group(kFortressSoldiersOnGateTag); }

// Each line of a level is one row of objects standing side by side, closed
// by the space up to the next row. The comments give the row's height above
// the level's start.

// Every small object in its first window, for the renderer's benchmark.
DemoLevel Beachhead() {
  return {"Beachhead", Join({
                           SpawnPoint(),
                           Tree(14),
                           Tree(19),
                           Boulder(24),
                           SingleGrenade(29),
                           Space(10),  // 0
                           Sandbags(1, 1),
                           TripleGrenade(24),
                           SingleGrenade(29),
                           Space(11),  // 22
                           Trench(8, 2),
                           LeftMortar(22),
                           RightMortar(27),
                           SingleGrenade(2),
                           Space(9),  // 46
                           TripleGrenade(1),
                           Boulder(12),
                           Boulder(16),
                           QuintupleGrenade(26),
                           Space(12),  // 66
                           AlarmOn(),
                           Tree(15),
                           Tree(21),
                           Tree(28),
                           Space(20),  // 92
                           Bunker(2),
                           Sandbags(11, 0),
                           Bunker(22),
                           Space(32),  // 134
                           RocketAttack(20),
                           Trench(12, 1),
                           Tree(26),
                           Space(19),  // 200
                           PrisonerOfWar(),
                           Tree(4),
                           Tree(27),
                           Space(20),  // 240
                           SingleGrenade(3),
                           LeftMortar(8),
                           RightMortar(22),
                           SingleGrenade(27),
                           Space(11),  // 282
                           RocketAttackEnd(),
                           Boulder(13),
                           Boulder(18),
                           Tree(28),
                           Space(20),  // 306
                           SmallHut(2),
                           LargeHut(19),
                           Tree(29),
                           Space(21),  // 348
                           AlarmOff(),
                           Tree(14),
                           Tree(20),
                           Boulder(26),
                           Space(20),  // 392
                           SpawnPoint(),
                           Sandbags(14, 2),
                           Space(10),  // 434
                           Jeep(),
                           Truck(),
                           Tree(4),
                           Space(20),  // 456
                           Motorbike(),
                           TripleGrenade(3),
                           QuintupleGrenade(26),
                           Space(12),  // 498
                           Bunker(9),
                           Tree(3),
                           Tree(20),
                           Tree(26),
                           Space(32),  // 524
                           Trench(4, 3),
                           Sandbags(22, 1),
                           Space(12),  // 590
                           Tree(6),
                           Tree(12),
                           Tree(18),
                           Tree(24),
                           Tree(29),
                           Space(20),  // 616
                           QuintupleGrenade(14),
                           Space(15),   // 658
                           LevelEnd(),  // 690
                       })};
}

// Both log crossings and both kinds of cave (one at column 0). The crossings
// start on rows that are multiples of 8, where their water strips meet.
DemoLevel RiverCrossing() {
  return {"River Crossing", Join({
                                SpawnPoint(),
                                Tree(18),
                                Tree(23),
                                Boulder(27),
                                Space(19),  // 0
                                LogCrossingLeft(),
                                Space(5),  // 40
                                Tree(2),
                                Tree(27),
                                SingleGrenade(11),
                                Space(20),  // 122
                                Boulder(20),
                                Cave(2),
                                Tree(14),
                                Tree(25),
                                Space(21),  // 164
                                LogCrossingRight(),
                                Space(5),  // 256
                                TripleGrenade(12),
                                RightMortar(20),
                                Cave(0),
                                Jeep(),
                                Space(20),  // 338
                                Tree(16),
                                Tree(12),
                                Boulder(22),
                                QuintupleGrenade(27),
                                Space(20),  // 428
                                AlarmOn(),
                                Truck(),
                                Space(16),  // 470
                                Sandbags(10, 1),
                                Tree(24),
                                Tree(29),
                                Space(13),  // 504
                                SpawnPoint(),
                                Boulder(16),
                                Space(5),    // 532
                                LevelEnd(),  // 544
                            })};
}

// Both tunnels; a fortress without soldiers closes it.
DemoLevel TunnelRun() {
  return {"Tunnel Run", Join({
                            SpawnPoint(),
                            Tree(16),
                            Bunker(20),
                            Space(10),  // 0
                            Barracks(),
                            Sandbags(7, 1),
                            Space(33),  // 22
                            TunnelWithoutMotorbike(),
                            Space(7),  // 90
                            PrisonerOfWar(),
                            RocketAttack(30),
                            Tree(26),
                            Space(20),  // 180
                            Bunker(3),
                            Bunker(23),
                            Trench(11, 1),
                            Space(32),  // 222
                            TunnelWithMotorbike(),
                            Space(7),  // 288
                            RocketAttackEnd(),
                            TripleGrenade(14),
                            QuintupleGrenade(22),
                            Space(12),  // 380
                            AlarmOn(),
                            Tree(16),
                            Tree(24),
                            Space(20),  // 406
                            Jeep(),
                            Truck(),
                            Space(16),  // 448
                            Sandbags(3, 1),
                            Sandbags(21, 1),
                            Space(10),           // 482
                            FortressGateOnly(),  // 504
                        })};
}

// The full road across the screen, vehicles beside it.
DemoLevel Highway() {
  return {"Highway", Join({
                         SpawnPoint(),      Tree(14),        Tree(20),          Tree(27),  Space(20),  // 0
                         Tree(3),           Tree(8),         FullRoad(),        Space(20),             // 42
                         Truck(),           Boulder(18),     Space(19),                                // 392
                         Tree(20),          Tree(26),        SingleGrenade(16), Space(19),             // 432
                         Motorbike(),       Tree(22),        Space(11),                                // 472
                         RocketAttack(10),  Sandbags(10, 1), Tree(26),          Space(11),             // 496
                         RocketAttackEnd(), Boulder(20),     Space(11),                                // 520
                         LevelEnd(),                                                                   // 544
                     })};
}

// Ten screens of everything, for the level overview; a fortress with
// soldiers on its gate closes it.
DemoLevel LongMarch() {
  return {"Long March", Join({
                            SpawnPoint(),
                            Tree(12),
                            Tree(18),
                            Tree(26),
                            Space(20),  // 0
                            Boulder(4),
                            Sandbags(12, 1),
                            SingleGrenade(27),
                            Space(12),  // 42
                            Trench(4, 1),
                            Tree(20),
                            Tree(27),
                            Space(21),  // 68
                            LogCrossingLeft(),
                            Space(5),  // 112
                            Tree(3),
                            Tree(26),
                            TripleGrenade(12),
                            Space(19),  // 194
                            Bunker(2),
                            Bunker(24),
                            PrisonerOfWar(),
                            Space(32),  // 234
                            AlarmOn(),
                            Tree(16),
                            Tree(22),
                            Space(20),  // 300
                            RocketAttack(25),
                            Sandbags(10, 2),
                            Boulder(26),
                            Space(20),  // 342
                            LeftMortar(8),
                            RightMortar(22),
                            QuintupleGrenade(14),
                            Space(12),  // 384
                            RocketAttackEnd(),
                            Tree(14),
                            Tree(20),
                            Tree(27),
                            Space(20),  // 410
                            TunnelWithMotorbike(),
                            Space(7),  // 452
                            Jeep(),
                            Truck(),
                            Space(16),  // 546
                            SmallHut(3),
                            LargeHut(19),
                            Space(20),  // 580
                            Tree(10),
                            Boulder(15),
                            Tree(28),
                            Space(20),  // 622
                            Trench(8, 3),
                            Space(10),  // 664
                            FullRoad(),
                            Space(8),  // 686
                            Tree(22),
                            Tree(28),
                            AlarmOff(),
                            Space(20),  // 1012
                            Bunker(9),
                            Bunker(22),
                            Space(33),  // 1054
                            SingleGrenade(8),
                            TripleGrenade(14),
                            QuintupleGrenade(20),
                            Space(12),  // 1122
                            Tree(6),
                            Boulder(12),
                            Cave(20),
                            Tree(10),
                            Space(20),  // 1148
                            SpawnPoint(),
                            Sandbags(14, 1),
                            Space(12),  // 1238
                            LogCrossingRight(),
                            Space(5),  // 1264
                            Tree(5),
                            Tree(12),
                            Tree(27),
                            Space(20),  // 1346
                            RocketAttack(60),
                            Trench(14, 1),
                            Space(12),  // 1388
                            PrisonerOfWar(),
                            Tree(4),
                            Tree(27),
                            Space(20),  // 1414
                            RocketAttackEnd(),
                            Bunker(10),
                            Bunker(20),
                            Space(32),  // 1456
                            TunnelWithoutMotorbike(),
                            Space(7),  // 1522
                            Motorbike(),
                            Tree(4),
                            Tree(26),
                            Space(20),  // 1612
                            Sandbags(2, 1),
                            Sandbags(22, 1),
                            SingleGrenade(14),
                            Space(12),  // 1654
                            AlarmOn(),
                            Tree(16),
                            Tree(22),
                            Tree(28),
                            Space(20),  // 1680
                            Boulder(8),
                            Boulder(20),
                            Space(12),  // 1722
                            Trench(6, 2),
                            RightMortar(24),
                            Space(10),                 // 1748
                            FortressSoldiersOnGate(),  // 1770
                        })};
}

// Cliffs on both sides with every form of cliff edge.
DemoLevel Canyon() {
  return {"Canyon", Join({
                        SpawnPoint(),
                        Tree(14),
                        Tree(20),
                        Space(20),  // 0
                        LeftCliff(0),
                        RightCliff(26),
                        CliffEdge(6, 0),
                        CliffEdge(25, kMirrored),
                        Boulder(12),
                        SingleGrenade(18),
                        Space(12),  // 42
                        SmallHut(10),
                        Tree(20),
                        Space(20),  // 68
                        Trench(9, 1),
                        RightMortar(22),
                        Space(21),  // 110
                        LeftCliff(0),
                        RightCliff(26),
                        CliffEdge(6, kJumpingSoldiersFlag),
                        CliffEdge(25, kMirrored | kJumpingSoldiersFlag),
                        LargeHut(12),
                        TripleGrenade(21),
                        Space(20),  // 154
                        PrisonerOfWar(),
                        Space(16),  // 196
                        Bunker(9),
                        Space(17),  // 230
                        LeftCliff(0),
                        RightCliff(26),
                        CliffEdge(6, kDoubleCliffFlag | kJumpingSoldiersFlag),
                        CliffEdge(25, kMirrored | kDoubleCliffFlag | kJumpingSoldiersFlag),
                        Boulder(18),
                        Space(20),  // 266
                        Sandbags(10, 1),
                        Space(12),  // 308
                        Cave(14),
                        Space(20),  // 334
                        RocketAttack(40),
                        Tree(12),
                        Tree(20),
                        Space(20),  // 424
                        RocketAttackEnd(),
                        Truck(),
                        Space(16),  // 466
                        AlarmOff(),
                        Boulder(20),
                        Space(12),   // 500
                        LevelEnd(),  // 526
                    })};
}

// A wood to walk through, thick with trees and the odd hut.
DemoLevel ForestPatrol() {
  return {"Forest Patrol", Join({
                               SpawnPoint(),      Tree(13),  Tree(17),       Tree(21),    Tree(25),
                               Tree(29),          Space(9),                              // 0
                               Tree(2),           Tree(6),   Tree(10),       Space(10),  // 20
                               Tree(15),          Tree(19),  Tree(23),       Tree(27),    SingleGrenade(12),
                               Space(10),                                                             // 42
                               Tree(1),           Tree(5),   Tree(9),        Boulder(11), Space(11),  // 64
                               SmallHut(16),      Tree(25),  Tree(29),       Space(9),                // 88
                               Tree(3),           Tree(7),   Tree(11),       Space(10),               // 108
                               Tree(24),          Tree(28),  LeftMortar(16), Space(20),               // 130
                               AlarmOn(),         Tree(14),  Tree(18),       Tree(22),    Tree(26),
                               Tree(30),          Space(20),  // 172
                               Trench(3, 1),      Tree(12),  Tree(16),       Tree(24),    Tree(28),
                               Space(20),  // 214
                               LargeHut(10),      Tree(3),   Tree(21),       Tree(25),    Tree(29),
                               Space(20),  // 256
                               Tree(2),           Tree(6),   Tree(27),       Tree(22),    QuintupleGrenade(11),
                               Space(20),  // 298
                               PrisonerOfWar(),   Tree(4),   Tree(8),        Tree(25),    Tree(29),
                               Space(20),                                                             // 340
                               Tree(10),          Tree(14),  Tree(18),       Tree(22),    Space(20),  // 382
                               RocketAttack(15),  Tree(2),   Tree(6),        Tree(26),    Tree(30),
                               Boulder(14),       Space(20),  // 424
                               RocketAttackEnd(), Tree(13),  Tree(17),       Tree(21),    Tree(25),
                               Tree(29),          Space(20),  // 466
                               AlarmOff(),        Tree(15),  Tree(19),       Tree(23),    Tree(27),
                               Space(20),  // 508
                               Tree(5),           Tree(9),   Tree(13),       Tree(17),    Tree(21),
                               Space(20),   // 550
                               LevelEnd(),  // 592
                           })};
}

// Caves in the hillside, side by side and one against the left edge.
DemoLevel HillCaves() {
  return {"Hill Caves", Join({
                            SpawnPoint(),
                            Tree(16),
                            Tree(24),
                            Space(20),  // 0
                            Boulder(22),
                            Tree(28),
                            CavesSideBySide(0, 13),
                            Space(20),  // 42
                            SmallHut(8),
                            Sandbags(18, 1),
                            Space(20),  // 132
                            CavesSideBySide(3, 20),
                            Space(20),  // 174
                            Bunker(12),
                            Space(32),  // 264
                            TripleGrenade(4),
                            Cave(24),
                            Tree(10),
                            Space(20),  // 330
                            AlarmOn(),
                            Tree(22),
                            Space(20),  // 420
                            Tree(28),
                            CavesSideBySide(6, 18),
                            Space(20),  // 462
                            RocketAttack(35),
                            Boulder(14),
                            Space(12),  // 552
                            RocketAttackEnd(),
                            Tree(20),
                            Space(20),  // 578
                            AlarmOff(),
                            Tree(16),
                            Tree(24),
                            Space(20),   // 620
                            LevelEnd(),  // 662
                        })};
}

DemoLevel LastStand() {
  return {"Last Stand", Join({
                            SpawnPoint(),      Bunker(11),
                            Bunker(25),        Sandbags(18, 1),
                            Space(32),  // 0
                            AlarmOn(),         Trench(12, 2),
                            Space(12),  // 66
                            Barracks(),        Tree(15),
                            Tree(22),          Tree(28),
                            Space(36),  // 92
                            RocketAttack(99),  QuintupleGrenade(10),
                            TripleGrenade(15), SingleGrenade(20),
                            Space(14),  // 166
                            RocketAttackEnd(), Boulder(14),
                            Space(12),  // 196
                            AlarmOff(),        Tree(20),
                            Space(20),   // 222
                            LevelEnd(),  // 264
                        })};
}

}  // namespace

std::vector<DemoLevel> DemoLevels() {
  return {Beachhead(), RiverCrossing(), TunnelRun(), Highway(),  LongMarch(),
          Canyon(),    ForestPatrol(),  HillCaves(), LastStand()};
}

std::vector<std::uint8_t> DemoLevelStream() {
  std::vector<std::uint8_t> stream;
  for (const DemoLevel& level : DemoLevels()) {
    for (const Record& record : level.records) {
      stream.push_back(record.code);
      stream.push_back(record.operand);
    }
  }
  stream.push_back(kEndOfLevelsMarker);
  return stream;
}

void WriteDemoLevels(DemoMemory& memory) {
  const std::vector<std::uint8_t> stream = DemoLevelStream();
  if (stream.size() > kLevelAreaLength) {
    throw DemoMemoryConflict("the demo levels need " + std::to_string(stream.size()) +
                             " bytes, more than the level area holds");
  }
  for (std::size_t i = 0; i < stream.size(); ++i) {
    memory.Write(kLevelAreaStart + static_cast<std::uint32_t>(i), stream[i], "level stream");
  }
  // The free bytes stay 0 and belong to the level area, so nothing else may use them.
  for (auto address = static_cast<std::uint32_t>(kLevelAreaStart + stream.size()); address <= kLevelAreaLast;
       ++address) {
    memory.Write(address, 0, "free level bytes");
  }
}

}  // namespace kestrova::demo
