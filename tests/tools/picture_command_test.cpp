// curling-analyze picture and the drawing behind it: which stones are drawn,
// in whose colour, and that any name is safe inside the SVG.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <stdlib.h>

#include "drawing/position_svg.h"
#include "tests/tools/tool_run.h"

using namespace drawing;

namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(PositionSvg, DrawsDeliveredStonesInPlayInTheirSidesColours) {
  PositionPicture picture;
  picture.stones[0] = {2.375f, 4.88f};  // first side
  picture.stones[1] = {0.0f, 0.0f};     // out of play
  picture.stones[2] = {2.0f, 6.0f};     // first side
  picture.stones[3] = {2.6f, 5.2f};     // second side
  picture.stones[4] = {2.5f, 5.0f};     // not delivered yet
  picture.delivered = 4;
  picture.firstSide = {"A <one> & \"two\"", "#aa0000"};
  picture.secondSide = {"B", "#00bb00"};
  picture.title = "line one\nline two";
  const std::string svg = DrawPositionSvg(picture);
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_EQ(Count(svg, "fill=\"#aa0000\""), 3u);  // two stones and the legend
  EXPECT_EQ(Count(svg, "fill=\"#00bb00\""), 2u);
  EXPECT_NE(svg.find(">3</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">1</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">4</text>"), std::string::npos);
  EXPECT_NE(svg.find("A &lt;one&gt; &amp; &quot;two&quot;"), std::string::npos);
  EXPECT_EQ(svg.find("<one>"), std::string::npos);
  EXPECT_NE(svg.find(">line two</text>"), std::string::npos);

  // A stone far up the sheet makes the picture taller, so that it shows.
  const std::string usual = DrawPositionSvg(picture);
  picture.stones[3] = {2.6f, 20.0f};
  const std::string taller = DrawPositionSvg(picture);
  EXPECT_GT(taller.size(), 0u);
  EXPECT_NE(usual.substr(0, 200), taller.substr(0, 200));
}

TEST(PictureCommand, DrawsOnePositionToStandardOutputOrEachIntoADirectory) {
  char pattern[] = "/tmp/analyze-picture-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string directory = pattern;
  std::string position = "3 2.375 4.88 0 0 2.2 5.5";
  for (int i = 0; i < 26; ++i) position += " 0";
  const ToolRun one = RunAnalyze({"picture"}, position + "\n");
  EXPECT_EQ(one.status, 0);
  EXPECT_NE(one.out.find("</svg>"), std::string::npos);
  EXPECT_NE(one.out.find(">2</text>"), std::string::npos);

  // Two positions need a directory; with one, each goes to a file of its own.
  const std::string two = position + "\n\n" + position + "\n";
  EXPECT_EQ(RunAnalyze({"picture"}, two).status, 2);
  EXPECT_EQ(RunAnalyze({"picture", "--out", directory}, two).status, 0);
  EXPECT_TRUE(std::ifstream(directory + "/position-1.svg").good());
  EXPECT_TRUE(std::ifstream(directory + "/position-3.svg").good());
  std::filesystem::remove_all(directory);
}

}  // namespace
