// The `curling` Python module: the library's state, its physics one delivery
// or a batch at a time, the candidate shots, the players, game records and a
// game environment for learning agents, all from the project's own code.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "candidates/candidates.h"
#include "engine/game_state.h"
#include "engine/linked_simulator.h"
#include "match/records/replay.h"
#include "python/agent_game.h"
#include "python/arguments.h"
#include "python/batch_simulation.h"
#include "python/named_player.h"
#include "simulator/curling_api.h"
#include "tools/position_text.h"

namespace py = pybind11;
namespace arguments = python::arguments;
using namespace py::literals;

namespace {

// The library's reasons for its negative result codes.
std::string ResultReason(int code) {
  switch (code) {
    case kSimNullPointer:
      return "a null pointer";
    case kSimNonFiniteInput:
      return "an input is not finite";
    case kSimNegativeNoise:
      return "the noise is negative";
    case kSimShotNumberOutOfRange:
      return "the shot number is out of range";
    case kSimPowerOutOfRange:
      return "the power is out of range";
    default:
      return "result code " + std::to_string(code);
  }
}

void RaiseOnFailure(int code, const char* what) {
  if (code < 0)
    throw py::value_error(std::string(what) + ": the library refused: " + ResultReason(code));
}

py::tuple ShotTuple(const ShotVec& shot) {
  return py::make_tuple(shot.vx, shot.vy, static_cast<int>(shot.spin));
}

// A NumPy array of `T` copied from `values`, in `shape`.
template <typename T>
py::array_t<T> ArrayOf(const std::vector<T>& values, const std::vector<py::ssize_t>& shape) {
  py::array_t<T> array(shape);
  if (!values.empty()) std::memcpy(array.mutable_data(), values.data(), values.size() * sizeof(T));
  return array;
}

py::array_t<float> StonesArray(const GameState& state) {
  std::vector<float> values(&state.stones[0].x, &state.stones[0].x + 32);
  return ArrayOf(values, {16, 2});
}

bool SameState(const GameState& a, const GameState& b) {
  return a.shotNumber == b.shotNumber && a.currentEnd == b.currentEnd && a.lastEnd == b.lastEnd &&
         std::memcmp(a.endScores, b.endScores, sizeof a.endScores) == 0 &&
         a.turnFlag == b.turnFlag &&
         std::equal(std::begin(a.stones), std::end(a.stones), std::begin(b.stones),
                    [](StonePos p, StonePos q) { return p.x == q.x && p.y == q.y; });
}

std::string StateRepr(const GameState& state) {
  std::string text = "GameState(shot_number=" + std::to_string(state.shotNumber) +
                     ", current_end=" + std::to_string(state.currentEnd) +
                     ", last_end=" + std::to_string(state.lastEnd) +
                     ", turn_flag=" + std::to_string(state.turnFlag) + ", end_scores=[";
  for (int i = 0; i < 10; ++i) text += (i > 0 ? ", " : "") + std::to_string(state.endScores[i]);
  int inPlay = 0;
  for (const StonePos& stone : state.stones) inPlay += StoneInPlay(stone) ? 1 : 0;
  return text + "], stones in play: " + std::to_string(inPlay) + ")";
}

GameState StateOfLine(const py::object& line) {
  const std::string text = arguments::ReadText(line, "line");
  GameState state{};
  std::string error;
  if (!tools::ParsePositionLine(text, state, error)) throw py::value_error("line: " + error);
  return state;
}

void BindState(py::module_& m) {
  py::class_<GameState>(m, "GameState",
                        "The game state of the library's interface. GameState() is the empty "
                        "state, every field zero.")
      .def(py::init([] { return GameState{}; }))
      .def(py::init(&StateOfLine), "line"_a, "The state of a position line, as from_line.")
      .def_static("from_line", &StateOfLine, "line"_a,
                  "The state of a position line as the tools read it (the shot number, then x y of "
                  "the sixteen stones); the other fields zero.")
      .def("to_line", &tools::FormatPositionLine,
           "The state's position line, as the tools write it.")
      .def("__str__", &tools::FormatPositionLine)
      .def("__repr__", &StateRepr)
      .def(
          "__eq__", [](const GameState& a, const GameState& b) { return SameState(a, b); },
          py::is_operator())
      .def("__copy__", [](const GameState& state) { return state; })
      .def("__deepcopy__", [](const GameState& state, const py::object&) { return state; })
      .def("copy", [](const GameState& state) { return state; })
      .def_property(
          "shot_number", [](const GameState& s) { return s.shotNumber; },
          [](GameState& s, const py::object& v) {
            s.shotNumber = static_cast<int32_t>(arguments::ReadInteger(v, "shot_number", 0, 16));
          },
          "Deliveries made in the current end (0 to 16); the next is this one.")
      .def_property(
          "current_end", [](const GameState& s) { return s.currentEnd; },
          [](GameState& s, const py::object& v) {
            s.currentEnd = static_cast<int32_t>(arguments::ReadInteger(v, "current_end", 0, 10));
          },
          "The end being played, from 0.")
      .def_property(
          "last_end", [](const GameState& s) { return s.lastEnd; },
          [](GameState& s, const py::object& v) {
            s.lastEnd = static_cast<int32_t>(arguments::ReadInteger(v, "last_end", 0, 9));
          },
          "The game's last end, from 0.")
      .def_property(
          "turn_flag", [](const GameState& s) { return static_cast<int>(s.turnFlag); },
          [](GameState& s, const py::object& v) {
            s.turnFlag = static_cast<uint8_t>(arguments::ReadInteger(v, "turn_flag", 0, 1));
          },
          "0: the side about to deliver is side A (the first to deliver in end 0); 1: side B.")
      .def_property(
          "end_scores",
          [](const py::object& self) {
            auto& state = self.cast<GameState&>();
            return py::array_t<int32_t>({10}, {4}, state.endScores, self);
          },
          [](GameState& s, const py::object& v) {
            if (!py::isinstance<py::sequence>(v) && !py::isinstance<py::array>(v)) {
              throw py::type_error("end_scores: expected ten whole numbers");
            }
            if (py::len(v) != 10) throw py::value_error("end_scores: expected ten whole numbers");
            int32_t scores[10];
            for (size_t i = 0; i < 10; ++i) {
              scores[i] = static_cast<int32_t>(arguments::ReadInteger(
                  v[py::int_(i)], "end_scores[" + std::to_string(i) + "]", -8, 8));
            }
            std::memcpy(s.endScores, scores, sizeof scores);
          },
          "The score of each finished end, positive for side A: a NumPy view, int32, (10,).")
      .def_property(
          "stones",
          [](const py::object& self) {
            auto& state = self.cast<GameState&>();
            return py::array_t<float>({16, 2}, {8, 4}, &state.stones[0].x, self);
          },
          [](GameState& s, const py::object& v) {
            int64_t count = -1;
            const auto values = arguments::ReadFloat32Array(v, "stones", {16, 2}, count);
            for (py::ssize_t i = 0; i < values.size(); ++i) {
              if (!std::isfinite(values.data()[i])) {
                throw py::value_error("stones: stone " + std::to_string(i / 2) +
                                      " is not at a finite position");
              }
            }
            std::memcpy(s.stones, values.data(), sizeof s.stones);
          },
          "The stone of delivery i of the end in row i, (x, y) in metres, (0, 0) when not in "
          "play: a NumPy view, float32, (16, 2).");
}

// The calling thread's delivery of `shot` on a copy of `state`.
py::object Simulate(const GameState& state, const py::object& vx, const py::object& vy,
                    const py::object& spin, const py::object& noise, bool report) {
  arguments::CheckState(state, "state", true);
  ShotVec shot{};
  shot.vx = arguments::ReadFloat(vx, "vx");
  shot.vy = arguments::ReadFloat(vy, "vy");
  shot.spin = arguments::ReadSpin(spin, "spin");
  const float scale = arguments::ReadFloat(noise, "noise");
  if (scale < 0.0f)
    throw py::value_error("noise: " + std::string(py::repr(noise)) + " is negative");
  const std::string problem = python::CheckShot(shot.vx, shot.vy, shot.spin, "shot");
  if (!problem.empty()) throw py::value_error(problem);
  GameState after = state;
  SimulationReport made{};
  RaiseOnFailure(SimulationWithReport(&after, shot, scale, &made), "simulate");
  if (!report) return py::cast(after);
  return py::make_tuple(after, made.after, py::make_tuple(made.executedVx, made.executedVy));
}

py::tuple SimulateBatchPy(const py::object& stones, const py::object& shotNumbers,
                          const py::object& shots, const py::object& noise, const py::object& seed,
                          const py::object& threads) {
  int64_t count = -1;
  const auto stoneArray = arguments::ReadFloat32Array(stones, "stones", {-1, 16, 2}, count);
  const auto shotNumberArray = arguments::ReadIntegerArray(shotNumbers, "shot_numbers", count);
  const auto shotArray = arguments::ReadFloat32Array(shots, "shots", {-1, 3}, count);
  python::BatchInput input;
  input.count = static_cast<size_t>(count);
  input.stones = stoneArray.data();
  input.shotNumbers = shotNumberArray.data();
  input.shots = shotArray.data();
  input.noise = arguments::ReadFloat(noise, "noise");
  input.seed = arguments::ReadUnsigned(seed, "seed");
  const int workers = threads.is_none()
                          ? static_cast<int>(std::max(1U, std::thread::hardware_concurrency()))
                          : static_cast<int>(arguments::ReadInteger(threads, "threads", 1, 256));
  const auto n = static_cast<py::ssize_t>(count);
  py::array_t<float> after({n, py::ssize_t{16}, py::ssize_t{2}});
  py::array_t<int32_t> scores(n);
  const python::BatchOutput output{after.mutable_data(), scores.mutable_data()};
  std::string error;
  bool done = false;
  {
    // The arrays stay referenced here; only the items run without the GIL.
    const py::gil_scoped_release released;
    done = python::SimulateBatch(input, workers, output, error);
  }
  if (!done) throw py::value_error(error);
  return py::make_tuple(after, scores);
}

py::object Candidates(const GameState& state, bool targets) {
  arguments::CheckState(state, "state", true);
  std::vector<candidates::ShotCandidate> list(static_cast<size_t>(candidates::kCandidateCapacity));
  int count = 0;
  {
    // The generator reads the calling thread's record.
    const engine::GameRecordHeld held(state);
    count = candidates::GenerateCandidates(list.data());
  }
  std::vector<float> shots;
  std::vector<float> aims;
  for (int i = 0; i < count; ++i) {
    ShotVec shot{};
    candidates::MakeCandidateShot(list[static_cast<size_t>(i)], &shot);
    shots.insert(shots.end(), {shot.vx, shot.vy, static_cast<float>(shot.spin)});
    const candidates::ShotCandidate& c = list[static_cast<size_t>(i)];
    aims.insert(aims.end(), {c.target.x, c.target.y, static_cast<float>(c.target.spin),
                             static_cast<float>(c.power)});
  }
  const auto rows = static_cast<py::ssize_t>(count);
  auto shotArray = ArrayOf(shots, {rows, 3});
  if (!targets) return shotArray;
  return py::make_tuple(shotArray, ArrayOf(aims, {rows, 4}));
}

void BindPhysics(py::module_& m) {
  m.def("simulate", &Simulate, "state"_a, "vx"_a, "vy"_a, "spin"_a, "noise"_a = 0.0,
        "report"_a = false,
        "Delivers the shot on a copy of state with execution error of scale noise, drawn from "
        "the calling thread's generator, and returns the new state. With report=True returns "
        "(new state, the position as the shot left it before the close of an end cleared it, "
        "(executed vx, executed vy)).");
  m.def(
      "seed", [](const py::object& n) { SeedSimulator(arguments::ReadUnsigned(n, "n")); }, "n"_a,
      "Seeds the calling thread's execution error, so that noisy deliveries replay exactly.");
  m.def(
      "draw_shot",
      [](const py::object& x, const py::object& y, const py::object& spin) {
        const ShotPos target{arguments::ReadFloat(x, "x"),
                             arguments::ReadFloat(y, "y"),
                             arguments::ReadSpin(spin, "spin"),
                             {0, 0, 0}};
        ShotVec shot{};
        RaiseOnFailure(CreateShot(target, &shot), "draw_shot");
        return ShotTuple(shot);
      },
      "x"_a, "y"_a, "spin"_a, "The shot (vx, vy, spin) whose stone comes to rest at (x, y).");
  m.def(
      "hit_shot",
      [](const py::object& x, const py::object& y, const py::object& spin,
         const py::object& power) {
        const ShotPos target{arguments::ReadFloat(x, "x"),
                             arguments::ReadFloat(y, "y"),
                             arguments::ReadSpin(spin, "spin"),
                             {0, 0, 0}};
        const float weight = arguments::ReadFloat(power, "power");
        if (!(weight >= 1.0f && weight <= 15.0f)) {
          throw py::value_error("power: " + std::string(py::repr(power)) +
                                " is out of range (1 to 15)");
        }
        ShotVec shot{};
        RaiseOnFailure(CreateHitShot(target, weight, &shot), "hit_shot");
        return ShotTuple(shot);
      },
      "x"_a, "y"_a, "spin"_a, "power"_a,
      "The shot (vx, vy, spin) whose stone passes through (x, y) with the weight power (1 "
      "gentle to 15 a firm takeout).");
  m.def(
      "score",
      [](const GameState& state) {
        arguments::CheckState(state, "state", false);
        return GetScore(&state);
      },
      "state"_a, "The score if the end closed now, positive for side A.");
  m.def("simulate_batch", &SimulateBatchPy, "stones"_a, "shot_numbers"_a, "shots"_a,
        "noise"_a = 0.0, "seed"_a = 0, "threads"_a = py::none(),
        "Delivers shots[i] (vx, vy, spin; float32, (N, 3)) on the position of stones[i] "
        "(float32, (N, 16, 2)) at shot_numbers[i] (integers, (N,)), turn_flag 0. Returns "
        "(stones after, float32 (N, 16, 2), before the close of an end clears them; scores, "
        "int32 (N,), positive for the side that delivered). The items go in blocks of "
        "SEED_BLOCK, block b drawing its execution error from seed(seed + b), on any number of "
        "threads (default: one per core) without the GIL: the result is that of the "
        "deliveries one by one with seed(seed + i // SEED_BLOCK) before each item i that "
        "starts a block.");
  m.attr("SEED_BLOCK") = python::kSeedBlock;
  m.def("candidates", &Candidates, "state"_a, "targets"_a = false,
        "The candidate shots of the position, float32 (K, 3): vx, vy, spin. With targets=True "
        "also their targets, float32 (K, 4): x, y, spin, power (-1 for a draw).");
}

// A player of the module: the C++ player and a lock, since a decision runs
// without the GIL.
struct PyPlayer {
  std::string name;
  python::NamedPlayer made;
  std::mutex busy;
};

std::shared_ptr<PyPlayer> MakePyPlayer(const py::object& name, const py::object& timeMs,
                                       const py::object& seed, const py::object& samples) {
  python::PlayerRequest request;
  request.name = arguments::ReadText(name, "name");
  if (!timeMs.is_none()) {
    request.timeGiven = true;
    request.timeMs = static_cast<uint64_t>(
        arguments::ReadInteger(timeMs, "time_ms", 0, std::numeric_limits<int64_t>::max()));
  }
  if (!seed.is_none()) {
    request.seedGiven = true;
    request.seed = arguments::ReadUnsigned(seed, "seed");
  }
  if (!samples.is_none()) {
    request.samplesGiven = true;
    request.samples = static_cast<uint64_t>(
        arguments::ReadInteger(samples, "samples", 0, std::numeric_limits<int64_t>::max()));
  }
  auto player = std::make_shared<PyPlayer>();
  player->name = request.name;
  std::string error;
  if (!python::MakeNamedPlayer(request, player->made, error)) throw py::value_error(error);
  return player;
}

ShotVec Decide(PyPlayer& player, const GameState& state) {
  const py::gil_scoped_release released;
  const std::lock_guard<std::mutex> hold(player.busy);
  return player.made.player->Decide(state, player.made.decisionMs);
}

void BindPlayers(py::module_& m) {
  py::class_<PyPlayer, std::shared_ptr<PyPlayer>>(
      m, "Player",
      "A player: 'reference' or 'strong' (the engine's two searches, as curling-engine makes "
      "them from --time-ms, --seed and --samples), or 'greedy', 'random', 'tee' (the "
      "opponents' players; greedy and random take a seed).")
      .def(py::init(&MakePyPlayer), "name"_a, "time_ms"_a = py::none(), "seed"_a = py::none(),
           "samples"_a = py::none())
      .def_property_readonly("name", [](const PyPlayer& p) { return p.name; })
      .def(
          "decide",
          [](PyPlayer& player, const GameState& state) {
            arguments::CheckState(state, "state", true);
            return ShotTuple(Decide(player, state));
          },
          "state"_a, "The shot (vx, vy, spin) the player plays for the side about to deliver.")
      .def(
          "new_game",
          [](PyPlayer& player) {
            const std::lock_guard<std::mutex> hold(player.busy);
            player.made.player->NewGame();
          },
          "A new game begins: the player forgets what it kept of the last.");
}

// The environment: the game, and the opponent as named or handed in.
struct PyEnv {
  python::AgentGame game;
  std::string opponentName;  // made afresh on each reset, seeded from it
  std::shared_ptr<PyPlayer> opponent;
  std::mutex busy;
  explicit PyEnv(const python::AgentGameSettings& settings) : game(settings) {}
};

std::shared_ptr<PyEnv> MakeEnv(const py::object& opponent, const py::object& ends,
                               const py::object& noise, const py::object& hammer) {
  python::AgentGameSettings settings;
  std::string opponentName;
  std::shared_ptr<PyPlayer> given;
  if (py::isinstance<PyPlayer>(opponent)) {
    given = opponent.cast<std::shared_ptr<PyPlayer>>();
    settings.opponentName = given->name;
  } else {
    opponentName = arguments::ReadText(opponent, "opponent");
    // Made once here, so that a bad name fails now rather than at reset.
    python::NamedPlayer check;
    std::string error;
    python::PlayerRequest request;
    request.name = opponentName;
    if (!python::MakeNamedPlayer(request, check, error))
      throw py::value_error("opponent: " + error);
    settings.opponentName = opponentName;
  }
  settings.ends = static_cast<int>(arguments::ReadInteger(ends, "ends", 1, 10));
  settings.noise = arguments::ReadFloat(noise, "noise");
  if (settings.noise < 0.0f)
    throw py::value_error("noise: " + std::string(py::repr(noise)) + " is negative");
  const std::string side = arguments::ReadText(hammer, "hammer");
  if (side != "agent" && side != "opponent") {
    throw py::value_error("hammer: '" + side + "' is neither 'agent' nor 'opponent'");
  }
  settings.hammerPlayer =
      side == "agent" ? python::AgentGame::kAgent : 1 - python::AgentGame::kAgent;
  auto env = std::make_shared<PyEnv>(settings);
  env->opponentName = opponentName;
  env->opponent = given;
  return env;
}

py::dict EnvInfo(const PyEnv& env) {
  const match::game::GameFlow& flow = env.game.Flow();
  const int agent = python::AgentGame::kAgent;
  py::list shots;
  for (const ShotVec& shot : env.game.OpponentShots()) shots.append(ShotTuple(shot));
  return py::dict(
      "end"_a = flow.state.currentEnd, "shot"_a = flow.state.shotNumber,
      "score"_a = py::make_tuple(flow.score.points[agent], flow.score.points[1 - agent]),
      "hammer"_a = flow.firstInEnd == agent ? "opponent" : "agent",
      "ends_played"_a = flow.score.endsPlayed, "opponent_shots"_a = shots);
}

py::tuple EnvReset(PyEnv& env, const py::object& seed, const py::object& /*options*/) {
  const uint64_t value = seed.is_none()
                             ? (uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()
                             : arguments::ReadUnsigned(seed, "seed");
  if (!env.opponentName.empty()) {
    python::PlayerRequest request;
    request.name = env.opponentName;
    // The opponent's own draws follow the game's seed too.
    request.seedGiven = env.opponentName != "tee";
    request.seed = value;
    auto made = std::make_shared<PyPlayer>();
    made->name = env.opponentName;
    std::string error;
    if (!python::MakeNamedPlayer(request, made->made, error))
      throw py::value_error("opponent: " + error);
    env.opponent = made;
  }
  {
    const py::gil_scoped_release released;
    const std::lock_guard<std::mutex> hold(env.busy);
    const std::lock_guard<std::mutex> holdOpponent(env.opponent->busy);
    env.game.Reset(value, *env.opponent->made.player, env.opponent->made.decisionMs);
  }
  return py::make_tuple(env.game.View(), EnvInfo(env));
}

py::tuple EnvStep(PyEnv& env, const py::object& action) {
  if (!env.game.Started()) throw py::value_error("shot: call reset() before step()");
  if (env.game.Over()) throw py::value_error("shot: the game is over; call reset() for a new one");
  const ShotVec shot = arguments::ReadShot(action, "shot");
  std::string problem;
  bool played = false;
  {
    const py::gil_scoped_release released;
    const std::lock_guard<std::mutex> hold(env.busy);
    const std::lock_guard<std::mutex> holdOpponent(env.opponent->busy);
    played = env.game.Step(shot, problem);
  }
  if (!played) throw py::value_error("shot: " + problem);
  return py::make_tuple(env.game.View(), env.game.Result(), env.game.Over(), false, EnvInfo(env));
}

void BindEnv(py::module_& m) {
  py::class_<PyEnv, std::shared_ptr<PyEnv>>(
      m, "Env",
      "A game against an opponent for a learning agent, with reset(seed) -> (observation, "
      "info) and step(shot) -> (observation, reward, terminated, truncated, info). The "
      "observation is the GameState the agent decides on; the reward is the game's result "
      "at its end (1 won, -1 lost, 0 drawn), 0 before.")
      .def(py::init(&MakeEnv), "opponent"_a = "greedy", "ends"_a = 8, "noise"_a = 0.3,
           "hammer"_a = "opponent")
      .def("reset", &EnvReset, "seed"_a = py::none(), "options"_a = py::none())
      .def("step", &EnvStep, "shot"_a)
      .def(
          "write_record",
          [](PyEnv& env, const py::object& path) {
            const std::string file = arguments::ReadText(path, "path");
            std::string error;
            if (!env.game.WriteRecord(file, error)) throw py::value_error("path: " + error);
          },
          "path"_a,
          "Writes the finished game's record as curling-match writes it (curling-match "
          "--replay replays it).");
}

// Text of a record as str: bytes that are not UTF-8 (an engine may reply
// anything) survive as surrogates, as Python keeps file names.
py::str RecordText(const std::string& bytes) {
  PyObject* text =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

py::dict RecordData(const match::records::ReplayedGame& game) {
  py::list deliveries;
  for (const match::records::ReplayedDelivery& d : game.deliveries) {
    deliveries.append(
        py::dict("end"_a = d.end, "shot"_a = d.shot, "player"_a = d.player,
                 "side"_a = std::string(1, d.side), "reply"_a = RecordText(d.reply),
                 "requested"_a = ShotTuple(d.requested),
                 "executed"_a = py::make_tuple(d.result.executedVx, d.result.executedVy),
                 "time_ms"_a = d.timeMs, "before"_a = StonesArray(d.before),
                 "after"_a = StonesArray(d.result.after), "end_closed"_a = d.result.endClosed,
                 "end_score_a"_a = d.result.endScoreA));
  }
  py::list ends;
  for (int e = 0; e < game.score.endsPlayed; ++e) {
    ends.append(py::dict(
        "points"_a = py::make_tuple(game.score.endPoints[e][0], game.score.endPoints[e][1]),
        "first"_a = game.score.endFirst[e]));
  }
  return py::dict(
      "game"_a = game.gameNumber,
      "players"_a = py::make_tuple(RecordText(game.names[0]), RecordText(game.names[1])),
      "side_a"_a = game.score.sideAPlayer,
      "points"_a = py::make_tuple(game.score.points[0], game.score.points[1]),
      "outcome"_a = game.outcome, "reason"_a = game.reason,
      "winner"_a = game.winner >= 0 ? py::object(py::int_(game.winner)) : py::none(),
      "ends"_a = ends, "deliveries"_a = deliveries);
}

}  // namespace

PYBIND11_MODULE(_curling, m) {
  m.doc() =
      "Computer curling: the physics library, the candidate shots, the players and game "
      "records of this project, and an environment for learning agents.";
  // The searches reach the library through entry points set once, before any
  // thread of theirs starts.
  engine::BindLinkedSimulator();
  BindState(m);
  BindPhysics(m);
  BindPlayers(m);
  BindEnv(m);
  m.def(
      "read_record",
      [](const py::object& path) {
        const std::string file = arguments::ReadText(path, "path");
        std::string report;
        match::records::ReplayedGame game;
        bool read = false;
        {
          const py::gil_scoped_release released;
          read = match::records::ReplayRecord(file, report, &game);
        }
        while (!report.empty() && report.back() == '\n') report.pop_back();
        if (!read) throw py::value_error("path: " + report);
        return RecordData(game);
      },
      "path"_a,
      "A game record of curling-match, read and checked by its replay: a dict with the "
      "players, the result, the ends and every delivery (positions before and after as "
      "float32 (16, 2) arrays). A damaged record raises ValueError with the replay's reason.");
}
