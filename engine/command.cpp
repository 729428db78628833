#include "engine/command.h"

#include <cstring>

#include "engine/game_state.h"
#include "engine/library_binding.h"
#include "engine/number_reading.h"
#include "engine/reply.h"
#include "engine/token.h"

namespace engine {

namespace {

char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsCommandWord(const char* token, const char* word) {
  for (; *token != '\0' && *word != '\0'; ++token, ++word) {
    if (ToUpperAscii(*token) != *word) return false;
  }
  return *token == *word;
}

// Every field becomes 0; the padding bytes are not the player's to write.
void ClearRecord() {
  gameState.shotNumber = 0;
  gameState.currentEnd = 0;
  gameState.lastEnd = 0;
  for (int32_t& score : gameState.endScores) score = 0;
  gameState.turnFlag = 0;
  for (StonePos& stone : gameState.stones) stone = StonePos{0.0f, 0.0f};
}

// Each coordinate is stored as soon as it is read, so a short line sets the
// stones it reaches and leaves the rest as they were.
void SetPosition(const char* line) {
  char token[kTokenCapacity];
  for (int stone = 0; stone < 16; ++stone) {
    if (!GetToken(token, line, 2 * stone + 1)) return;
    gameState.stones[stone].x = ReadCoordinate(token);
    if (!GetToken(token, line, 2 * stone + 2)) return;
    gameState.stones[stone].y = ReadCoordinate(token);
  }
}

void SetState(const char* line) {
  char token[kTokenCapacity];
  if (!GetToken(token, line, 1)) return;
  gameState.shotNumber = ReadInteger(token);
  if (!GetToken(token, line, 2)) return;
  gameState.currentEnd = ReadInteger(token);
  if (!GetToken(token, line, 3)) return;
  gameState.lastEnd = ReadInteger(token);
  if (!GetToken(token, line, 4)) return;
  gameState.turnFlag = ReadInteger(token) != 0 ? 1 : 0;
}

void Go(Player& player, uint64_t decisionMs) {
  // Which stone of the first end this player delivered decides the sign of
  // every end score for the rest of the game.
  if (gameState.currentEnd == 0) {
    if (gameState.shotNumber == 0) isSecondPlayer = false;
    if (gameState.shotNumber == 1) isSecondPlayer = true;
  }
  if (gameState.shotNumber < 16) {
    WriteShotReply(player.Decide(gameState, decisionMs));
    return;
  }
  // Past the end's last stone there is nothing to search: draw to the tee.
  ShotVec shot{};
  createShot(TeeTarget(0), &shot);
  WriteShotReply(shot);
}

}  // namespace

void DispatchCommand(char* line, Player& player, uint64_t decisionMs) {
  line[std::strcspn(line, "\r\n")] = '\0';
  char word[kTokenCapacity];
  GetToken(word, line, 0);
  if (IsCommandWord(word, "NEWGAME")) {
    ClearRecord();
    player.NewGame();
  } else if (IsCommandWord(word, "ISREADY")) {
    WriteReply("READYOK");
  } else if (IsCommandWord(word, "POSITION")) {
    SetPosition(line);
  } else if (IsCommandWord(word, "SETSTATE")) {
    SetState(line);
  } else if (IsCommandWord(word, "GO")) {
    Go(player, decisionMs);
  }
}

}  // namespace engine
