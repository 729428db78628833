#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "candidates/candidates.h"
#include "tests/candidates/test_positions.h"

using namespace candidates;

namespace {

struct Entry {
  float x;
  float y;
  int spin;
  int power;
};

std::vector<Entry> Generate() {
  ShotCandidate list[kCandidateCapacity];
  const int count = GenerateCandidates(list);
  std::vector<Entry> entries;
  entries.reserve(count);
  for (int i = 0; i < count; ++i) {
    entries.push_back({list[i].target.x, list[i].target.y, list[i].target.spin, list[i].power});
  }
  return entries;
}

// Draws with both spins at every listed point, in the order given, after the
// two tee draws.
std::vector<Entry> TeeDrawsThenDraws(const std::vector<std::pair<float, float>>& points) {
  std::vector<Entry> entries = {{2.375f, 4.88f, 0, -1}, {2.375f, 4.88f, 1, -1}};
  for (const auto& [x, y] : points) {
    entries.push_back({x, y, 0, -1});
    entries.push_back({x, y, 1, -1});
  }
  return entries;
}

void ExpectEntries(const std::vector<Entry>& actual, const std::vector<Entry>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].x, expected[i].x) << "entry " << i;
    EXPECT_EQ(actual[i].y, expected[i].y) << "entry " << i;
    EXPECT_EQ(actual[i].spin, expected[i].spin) << "entry " << i;
    EXPECT_EQ(actual[i].power, expected[i].power) << "entry " << i;
  }
}

const float kColumnsXs[] = {0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f,
                            1.5f, 1.6f, 1.7f, 1.8f, 1.9f, 2.0f, 2.1f, 2.2f, 2.3f, 2.4f,
                            2.5f, 2.6f, 2.7f, 2.8f, 2.9f, 3.0f, 3.1f, 3.2f, 3.3f, 3.4f,
                            3.5f, 3.6f, 3.7f, 3.8f, 3.9f, 4.0f, 4.1f, 4.2f};

TEST(GridTest, CoordinatesAreTheNearestFloats) {
  for (int k = kFirstGridColumn; k <= kLastGridColumn; ++k) {
    EXPECT_EQ(GridColumnX(k), kColumnsXs[k - kFirstGridColumn]) << k;
  }
  EXPECT_EQ(GridRowY(0), 3.0f);
  EXPECT_EQ(GridRowY(21), 5.1f);  // 3.0f + 21 * 0.1f would be a float higher
  EXPECT_EQ(GridRowY(31), 6.1f);
  EXPECT_EQ(GridRowY(72), 10.2f);
  EXPECT_EQ(GridRowY(82), 11.2f);
}

TEST(GridTest, RegionKeepsTheHouseAndEverythingBeyondIt) {
  int passing = 0;
  std::vector<int> perRow(kGridRows, 0);
  for (int k = kFirstGridColumn; k <= kLastGridColumn; ++k) {
    for (int j = 0; j < kGridRows; ++j) {
      if (InCandidateRegion(GridColumnX(k), GridRowY(j))) {
        ++passing;
        ++perRow[j];
      }
    }
  }
  EXPECT_EQ(passing, 2763);
  EXPECT_EQ(perRow[0], 0);   // row 3.0
  EXPECT_EQ(perRow[1], 8);   // row 3.1
  EXPECT_EQ(perRow[37], 4);  // row 6.7: x = 2.2 to 2.5 only
  EXPECT_TRUE(InCandidateRegion(2.2f, 6.7f));
  EXPECT_TRUE(InCandidateRegion(2.5f, 6.7f));
  EXPECT_FALSE(InCandidateRegion(2.1f, 6.7f));
  EXPECT_FALSE(InCandidateRegion(2.6f, 6.7f));
  for (int j = 38; j < kGridRows; ++j) EXPECT_EQ(perRow[j], kGridColumns) << j;
}

TEST(HitPowerTest, LowestPowerByRow) {
  const struct {
    float firstY;
    float lastY;
    int power;
  } kBands[] = {{10.2f, 11.2f, 1}, {9.0f, 10.1f, 2}, {7.9f, 8.9f, 3}, {6.8f, 7.8f, 4},
                {6.2f, 6.7f, 5},   {5.5f, 6.1f, 6},  {4.9f, 5.4f, 7}, {4.3f, 4.8f, 8},
                {3.7f, 4.2f, 9},   {3.1f, 3.6f, 10}, {3.0f, 3.0f, 11}};
  for (int j = 0; j < kGridRows; ++j) {
    const float y = GridRowY(j);
    for (const auto& band : kBands) {
      if (y >= band.firstY && y <= band.lastY) {
        EXPECT_EQ(LowestHitPower(y), band.power) << y;
      }
    }
  }
  // 6.1 is the same float as the table's entry and does not exceed it.
  EXPECT_EQ(LowestHitPower(6.1f), 6);
  EXPECT_EQ(LowestHitPower(6.2f), 5);
}

TEST(CandidateListTest, EmptyPositionAtShotZero) {
  SetPosition(0, {});
  std::vector<std::pair<float, float>> points;
  for (int k = 18; k <= 29; ++k) {
    for (const float y : {6.8f, 7.8f, 7.9f}) points.emplace_back(kColumnsXs[k - 5], y);
  }
  const std::vector<Entry> entries = Generate();
  EXPECT_EQ(entries.size(), 74U);
  ExpectEntries(entries, TeeDrawsThenDraws(points));
}

TEST(CandidateListTest, EmptyPositionAtShotOne) {
  SetPosition(1, {});
  std::vector<std::pair<float, float>> points;
  for (const float x : {1.4f, 1.5f, 1.6f, 1.7f, 3.0f, 3.1f, 3.2f}) {
    for (const float y : {6.8f, 7.8f, 7.9f}) points.emplace_back(x, y);
  }
  const std::vector<Entry> entries = Generate();
  EXPECT_EQ(entries.size(), 44U);
  ExpectEntries(entries, TeeDrawsThenDraws(points));
}

TEST(CandidateListTest, EmptyPositionAtShotFourteen) {
  SetPosition(14, {});
  std::vector<std::pair<float, float>> points;
  int nearTee = 0;
  for (int k = 5; k <= 42; ++k) {
    const float x = kColumnsXs[k - 5];
    for (int j = 0; j < kGridRows; ++j) {
      const float y = GridRowY(j);
      const double dx = x - 2.375;
      const double dy = y - 4.88;
      const bool button = dx * dx + dy * dy < 0.61 * 0.61;
      const bool guard = k >= 18 && k <= 29 && (y == 6.8f || y == 7.8f || y == 7.9f);
      if (button) ++nearTee;
      if (button || guard) points.emplace_back(x, y);
    }
  }
  EXPECT_EQ(nearTee, 117);
  const std::vector<Entry> entries = Generate();
  EXPECT_EQ(entries.size(), 308U);
  ExpectEntries(entries, TeeDrawsThenDraws(points));
}

TEST(CandidateListTest, HitsComeByRowPowerThenSpin) {
  // One open stone in the house of the side that is not to play; slot 0 in
  // the house switches the empty-house guards off.
  SetPosition(5, {{2.4f, 6.18f}});
  std::vector<Entry> expected = TeeDrawsThenDraws({});
  for (int power = 6; power <= 15; ++power) {
    expected.push_back({2.4f, 6.1f, 0, power});
    expected.push_back({2.4f, 6.1f, 1, power});
  }
  for (int power = 5; power <= 15; ++power) {
    expected.push_back({2.4f, 6.2f, 0, power});
    expected.push_back({2.4f, 6.2f, 1, power});
  }
  expected.push_back({2.4f, 6.4f, 0, -1});  // the freeze in front of it
  expected.push_back({2.4f, 6.4f, 1, -1});
  // 2.5f - 2.4f rounds to a float just below 0.1, 2.4f - 2.3f to one above:
  // a freeze one column to the right, none to the left.
  expected.push_back({2.5f, 6.4f, 0, -1});
  expected.push_back({2.5f, 6.4f, 1, -1});
  ExpectEntries(Generate(), expected);
}

TEST(CandidateListTest, FarUpTheSheetEveryPowerThenTheDraw) {
  // Shot 4 with the first stone on the tee and one open stone of the other
  // side at y = 10.5 in the tee stone's lane.
  SetPosition(4, {{2.4f, 4.88f}, {2.4f, 10.5f}});
  const std::vector<Entry> entries = Generate();
  std::vector<Entry> hits;
  for (const Entry& entry : entries) {
    if (entry.x == 2.4f && entry.y == 10.5f) hits.push_back(entry);
  }
  std::vector<Entry> expected;
  for (int power = 1; power <= 15; ++power) {
    expected.push_back({2.4f, 10.5f, 0, power});
    expected.push_back({2.4f, 10.5f, 1, power});
  }
  ExpectEntries(hits, expected);
}

TEST(CandidateListTest, SpinFollowsTheOpenPath) {
  // A stone 0.29 to the right of the hit target and ahead of it: only spin 0,
  // for the hits and the freeze alike, whatever lies on the left.
  // The column gets 9 hits (powers 7 to 15) at the stone and 9 at y = 4.9
  // (5.0f - 4.9f rounds below 0.1), and the freeze 0.2 ahead of the stone.
  SetPosition(5, {{2.4f, 5.0f}, {2.69f, 5.6f}, {2.11f, 5.6f}});
  int entries = 0;
  for (const Entry& entry : Generate()) {
    if (entry.x != 2.4f || entry.y > 5.3f) continue;
    EXPECT_EQ(entry.spin, 0) << entry.y;
    ++entries;
  }
  EXPECT_EQ(entries, 19);
  // On the left alone: only spin 1.
  SetPosition(5, {{2.4f, 5.0f}, {0.0f, 0.0f}, {2.11f, 5.6f}});
  entries = 0;
  for (const Entry& entry : Generate()) {
    if (entry.x != 2.4f || entry.y > 5.3f) continue;
    EXPECT_EQ(entry.spin, 1) << entry.y;
    ++entries;
  }
  EXPECT_EQ(entries, 19);
  // A stone level with the point is not ahead of it.
  SetPosition(5, {{2.4f, 5.0f}, {2.69f, 5.0f}});
  int spinOne = 0;
  for (const Entry& entry : Generate()) {
    if (entry.x == 2.4f && entry.y == 5.0f && entry.spin == 1) ++spinOne;
  }
  EXPECT_EQ(spinOne, 9);  // powers 7 to 15
}

TEST(CandidateListTest, SeveralDrawRulesGiveOneDraw) {
  // At shot 14 the freeze in front of the tee stone is also a button point and
  // an own-stone guard.
  SetPosition(14, {{2.4f, 4.88f}});
  int draws = 0;
  for (const Entry& entry : Generate()) {
    if (entry.x == 2.4f && entry.y == 5.1f && entry.power == -1) ++draws;
  }
  EXPECT_EQ(draws, 2);
}

TEST(CandidateListTest, FullListStopsAtCapacity) {
  SetOverfullPosition();
  ShotCandidate list[kCandidateCapacity + 1];
  std::memset(list, 0xAB, sizeof list);
  EXPECT_EQ(GenerateCandidates(list), kCandidateCapacity);
  unsigned char after[sizeof(ShotCandidate)];
  std::memcpy(after, &list[kCandidateCapacity], sizeof after);
  for (const unsigned char byte : after) EXPECT_EQ(byte, 0xAB);
  // The first column the walk reaches has the far-guard draws in the house,
  // in the lane of the stone at 0.65.
  EXPECT_EQ(list[2].target.x, 0.6f);
  EXPECT_EQ(list[2].power, -1);
}

TEST(CandidateListTest, PickWithoutTheListReachesEveryEntry) {
  // Every index of a full list and of a mid-end one, and the draws that wrap:
  // the pick counts only the entries the list holds.
  const auto samePick = [](uint32_t draw, const ShotCandidate& entry) {
    const ShotCandidate picked = PickCandidate(draw);
    return std::memcmp(&picked, &entry, sizeof entry) == 0;
  };
  static ShotCandidate list[kCandidateCapacity];
  SetOverfullPosition();
  ASSERT_EQ(GenerateCandidates(list), kCandidateCapacity);
  for (uint32_t k = 0; k < kCandidateCapacity; ++k) {
    ASSERT_TRUE(samePick(k, list[k])) << k;
    ASSERT_TRUE(samePick(k + kCandidateCapacity, list[k])) << k;
  }
  SetPosition(9, {{2.2f, 4.8f},
                  {2.45f, 6.3f},
                  {2.91f, 4.41f},
                  {1.8f, 3.9f},
                  {2.36f, 8.1f},
                  {2.6f, 5.02f},
                  {1.52f, 4.75f},
                  {3.3f, 5.55f},
                  {2.05f, 5.95f}});
  const int count = GenerateCandidates(list);
  ASSERT_GT(count, 100);
  for (uint32_t k = 0; k < static_cast<uint32_t>(count); ++k) {
    ASSERT_TRUE(samePick(k, list[k])) << k;
  }
  EXPECT_TRUE(samePick(UINT32_MAX, list[UINT32_MAX % static_cast<uint32_t>(count)]));
}

}  // namespace
