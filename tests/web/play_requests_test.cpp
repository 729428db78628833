// The browser's game as the module plays it, natively: whole games by the
// runner's rules (ends, the hammer, extra ends, the result), records that
// the runner's replay accepts, previews that show what a throw without error
// does, and requests out of range refused without a change.
#include "web/play_requests.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "match/records/record_json.h"
#include "match/records/replay.h"
#include "match/records/text_file.h"
#include "web/play_game.h"

using namespace match::game;
using namespace match::records;
using namespace web;

namespace {

RecordJson Ask(PlayGame& game, const std::string& request) {
  RecordJson reply;
  std::string error;
  EXPECT_TRUE(ParseJsonText(HandlePlayRequest(game, request), reply, error)) << error;
  return reply;
}

bool Refused(const RecordJson& reply) {
  return reply.contains("error");
}

// A stone straight through the house and out at the back, and one that
// passes beside the house.
constexpr const char* kThrough = "BESTSHOT 0 -6 0";
constexpr const char* kAway = "BESTSHOT 0.45 -6 0";

std::string NewGame(int ends, const char* hammer, const char* noise = "0.3", int seed = 9) {
  return std::string(R"({"op":"new","ends":)") + std::to_string(ends) + R"(,"hammer":")" + hammer +
         R"(","noise":)" + noise + R"(,"seed":)" + std::to_string(seed) + "}";
}

// Delivers `reply` for whoever is to deliver; the reply to the request.
RecordJson Throw(PlayGame& game, const std::string& reply) {
  const std::string by = game.ToDeliver() == kPersonPlayer ? "person" : "engine";
  return Ask(game, R"({"op":"deliver","reply":")" + reply + R"(","by":")" + by + R"(","ms":5})");
}

// The record replayed by the runner's replay from a file: true when every
// position, release and end score comes out as recorded.
bool Replays(const PlayGame& game, std::string& report) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "play-requests-test.jsonl").string();
  std::string problem;
  if (!WriteTextFile(path, game.SavedRecord(), problem)) {
    report = problem;
    return false;
  }
  const bool agrees = ReplayRecord(path, report);
  std::remove(path.c_str());
  return agrees;
}

TEST(PlayGame, AScoringEndPassesTheHammerAndTheGameEndsWithItsRecordReplaying) {
  PlayGame game;
  // The engine has the hammer: the person delivers first.
  RecordJson state = Ask(game, NewGame(2, "engine", "0"));
  EXPECT_EQ(state["toDeliver"], "person");
  EXPECT_EQ(state["firstInEnd"], kPersonPlayer);
  // The person draws to the button, the engine throws its stones away: the
  // person scores, and so delivers first in the next end.
  const std::string draw =
      Ask(game, R"({"op":"aim","kind":"draw","x":2.375,"y":4.88,"spin":0})")["reply"]
          .get<std::string>();
  for (int shot = 0; shot < 16; ++shot) {
    state = Throw(game, shot % 2 == 0 ? draw : kAway)["state"];
  }
  ASSERT_EQ(state["endsPlayed"], 1);
  EXPECT_GT(state["points"][0].get<int>(), 0);
  EXPECT_EQ(state["points"][1], 0);
  EXPECT_EQ(state["firstInEnd"], kPersonPlayer);
  EXPECT_EQ(state["toDeliver"], "person");
  // The second end: everything through; a blank end, and the game is over.
  for (int shot = 0; shot < 16; ++shot) state = Throw(game, kThrough)["state"];
  EXPECT_TRUE(state["over"].get<bool>());
  EXPECT_EQ(state["winner"], "person");
  EXPECT_TRUE(Refused(Throw(game, kThrough)));
  std::string report;
  EXPECT_TRUE(Replays(game, report)) << report;
  EXPECT_NE(game.Record().find(R"("type":"result")"), std::string::npos);
}

TEST(PlayGame, ATieGoesToExtraEndsAndIsDrawnAfterTheTenth) {
  PlayGame game;
  RecordJson state = Ask(game, NewGame(1, "person"));
  EXPECT_EQ(state["toDeliver"], "engine");
  int extraEndsSeen = 0;
  for (int delivery = 0; delivery < 16 * kMaxEnds; ++delivery) {
    ASSERT_FALSE(state["over"].get<bool>()) << "over after " << delivery << " deliveries";
    if (state["end"].get<int>() >= 1 && state["shot"] == 0) ++extraEndsSeen;
    // After a blank end the same side delivers first again.
    if (state["shot"] == 0) {
      EXPECT_EQ(state["firstInEnd"], kEnginePlayer);
    }
    state = Throw(game, kThrough)["state"];
  }
  EXPECT_EQ(extraEndsSeen, kMaxEnds - 1);
  EXPECT_TRUE(state["over"].get<bool>());
  EXPECT_TRUE(state["draw"].get<bool>());
  EXPECT_TRUE(state["winner"].is_null());
  std::string report;
  EXPECT_TRUE(Replays(game, report)) << report;
}

TEST(PlayRequests, APreviewIsWhereTheThrowWithoutErrorLeavesTheStones) {
  PlayGame game;
  Ask(game, NewGame(1, "engine", "0"));
  Throw(game, "BESTSHOT -0.1 -2.18 0");
  Throw(game, "BESTSHOT 0.05 -2.2 1");
  for (const char* aim : {R"({"op":"aim","kind":"draw","x":2.0,"y":4.5,"spin":1})",
                          R"({"op":"aim","kind":"hit","x":2.375,"y":4.88,"weight":12,"spin":0})"}) {
    const RecordJson preview = Ask(game, aim);
    ASSERT_FALSE(Refused(preview)) << preview.dump();
    EXPECT_FALSE(preview["paths"].empty());
    PlayGame copy = game;
    const RecordJson thrown = Throw(copy, preview["reply"].get<std::string>());
    EXPECT_EQ(thrown["after"], preview["after"]) << aim;
  }
  // The engine's pick shown as it stands.
  const RecordJson shown = Ask(game, R"({"op":"aim","kind":"reply","reply":"BESTSHOT 0 -2.1 1"})");
  EXPECT_EQ(shown["reply"], "BESTSHOT 0 -2.1 1");
}

TEST(PlayRequests, BadOrOutOfRangeRequestsAreRefusedAndChangeNothing) {
  PlayGame game;
  Ask(game, NewGame(2, "engine"));
  Throw(game, "BESTSHOT 0 -2.2 0");
  const std::string before = HandlePlayRequest(game, R"({"op":"state"})");
  const std::string record = game.Record();
  const std::string position =
      R"("position":{"stones":[[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0],[0,0]],"shot":1,"end":0,"lastEnd":1,"turnFlag":1})";
  for (
      const std::string& request : {
          std::string("not json"),
          std::string("[1,2]"),
          std::string(R"({"ends":2})"),
          std::string(R"({"op":"fly"})"),
          std::string(R"({"op":"new","ends":0,"hammer":"engine"})"),
          std::string(R"({"op":"new","ends":11,"hammer":"engine"})"),
          std::string(R"({"op":"new","ends":2,"hammer":"both"})"),
          std::string(R"({"op":"new","ends":2,"hammer":"engine","noise":-0.1})"),
          std::string(R"({"op":"new","ends":2,"hammer":"engine","engineMs":50})"),
          std::string(R"({"op":"new","ends":2.5,"hammer":"engine"})"),
          std::string(R"({"op":"new","ends":2,"hammer":"engine","seed":-1})"),
          std::string(R"({"op":"aim","kind":"draw","x":9,"y":4.88,"spin":0})"),
          std::string(R"({"op":"aim","kind":"draw","x":2,"y":4.88,"spin":2})"),
          std::string(R"({"op":"aim","kind":"hit","x":2,"y":4.88,"spin":0,"weight":16})"),
          std::string(R"({"op":"aim","kind":"reply","reply":"BESTSHOT 0 -9 0"})"),
          std::string(R"({"op":"deliver","reply":"BESTSHOT 0 -2.2 0","by":"person"})"),
          std::string(R"({"op":"deliver","reply":"BESTSHOT 0 -2.2 2","by":"engine"})"),
          std::string(R"({"op":"deliver","reply":"BESTSHOT 0 -8.5 0","by":"engine"})"),
          std::string(R"({"op":"deliver","reply":"BESTSHOT nan -2 0","by":"engine"})"),
          std::string(R"({"op":"deliver","reply":"hello","by":"engine"})"),
          std::string(R"({"op":"deliver","reply":"BESTSHOT 0 -2.2 0","by":"engine","ms":-4})"),
          R"({"op":"decide",)" + position + R"(,"lead":0})",
          R"({"op":"decide",)" + position + R"(,"lead":0,"timeMs":60001})",
          R"({"op":"decide",)" + position + R"(,"lead":100,"timeMs":1000})",
          R"({"op":"decide",)" + position + R"(,"lead":0,"timeMs":1000,"samples":2000000})",
          std::string(
              R"({"op":"decide","position":{"stones":[],"shot":0,"end":0,"lastEnd":0,"turnFlag":0},"lead":0,"timeMs":1000})"),
          std::string(
              R"({"op":"decide","position":{"stones":[[0,0]],"shot":16,"end":0,"lastEnd":0,"turnFlag":0},"lead":0,"timeMs":1000})"),
      }) {
    EXPECT_TRUE(Refused(Ask(game, request))) << request;
  }
  EXPECT_EQ(HandlePlayRequest(game, R"({"op":"state"})"), before);
  EXPECT_EQ(game.Record(), record);
}

TEST(PlayRequests, TheEngineDecidesAlikeWhenSeededAndWithinItsTimeOtherwise) {
  PlayGame game;
  const RecordJson state = Ask(game, NewGame(2, "person"));
  const std::string decide = R"({"op":"decide","position":)" +
                             JsonText(state["decide"]["position"]) + R"(,"lead":0,"timeMs":)";
  const RecordJson first = Ask(game, decide + R"(60000,"samples":600,"seed":4})");
  const RecordJson again = Ask(game, decide + R"(60000,"samples":600,"seed":4})");
  ASSERT_FALSE(Refused(first)) << first.dump();
  EXPECT_EQ(first["reply"], again["reply"]);
  EXPECT_EQ(first["samples"], 600);
  // By the clock: the search stops at its time; the margin is generous.
  const RecordJson timed = Ask(game, decide + "300}");
  ASSERT_FALSE(Refused(timed));
  EXPECT_LT(timed["ms"].get<int>(), 3000);
  // The reply is one the game takes from the engine.
  EXPECT_FALSE(Refused(Throw(game, timed["reply"].get<std::string>())));
}

TEST(PlayRequests, AGameSavedWhileBeingPlayedEndsInterruptedAndHasItsPage) {
  PlayGame game;
  EXPECT_TRUE(Refused(Ask(game, R"({"op":"page"})")));
  EXPECT_TRUE(Refused(Ask(game, R"({"op":"record"})")));
  Ask(game, NewGame(1, "engine"));
  for (int shot = 0; shot < 3; ++shot) Throw(game, "BESTSHOT 0.02 -2.2 0");
  const std::string record = Ask(game, R"({"op":"record"})")["record"].get<std::string>();
  EXPECT_NE(record.find(R"("reason":"interrupted")"), std::string::npos);
  EXPECT_EQ(game.Record().find(R"("type":"result")"), std::string::npos);
  std::string report;
  EXPECT_TRUE(Replays(game, report)) << report;
  const RecordJson page = Ask(game, R"({"op":"page"})");
  ASSERT_FALSE(Refused(page)) << page.dump();
  const std::string html = page["html"].get<std::string>();
  EXPECT_NE(html.find("<!DOCTYPE html>"), std::string::npos);
  EXPECT_NE(html.find("curling-engine-strong"), std::string::npos);
  EXPECT_NE(html.find("No result"), std::string::npos);
}

}  // namespace
