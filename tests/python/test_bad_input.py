"""Every bad argument raises TypeError or ValueError naming the argument:
never a crash, never a value silently clipped."""
import math

import numpy as np
import pytest

import curling

GOOD_SHOT = (0.1, 2.3, 0)


def batch(count=4):
    return (np.zeros((count, 16, 2), np.float32), np.zeros(count, np.int32),
            np.tile(np.array(curling.draw_shot(2.375, 4.88, 0), np.float32), (count, 1)))


def with_batch(index, value):
    arguments = list(batch())
    arguments[index] = value
    return arguments


def state_with(**fields):
    state = curling.GameState()
    for name, value in fields.items():
        if name == "stone":
            state.stones[3, 1] = value
        else:
            setattr(state, name, value)
    return state


SIMULATE_CASES = [
    # (arguments, keywords, exception, the message's start)
    ((state_with(), "1", 2.3, 0), {}, TypeError, "vx"),
    ((state_with(), 0.1, math.nan, 0), {}, ValueError, "vy"),
    ((state_with(), math.inf, 2.3, 0), {}, ValueError, "vx"),
    ((state_with(), 0.1, 1e39, 0), {}, ValueError, "vy"),
    ((state_with(), 0.1, 2.3, 2), {}, ValueError, "spin"),
    ((state_with(), 0.1, 2.3, 0.5), {}, ValueError, "spin"),
    ((state_with(), 0.1, 2.3, None), {}, TypeError, "spin"),
    ((state_with(), 0.1, 9.0, 0), {}, ValueError, "shot: release speed"),
    ((state_with(), *GOOD_SHOT), {"noise": -0.1}, ValueError, "noise"),
    ((state_with(), *GOOD_SHOT), {"noise": math.nan}, ValueError, "noise"),
    ((state_with(stone=math.inf), *GOOD_SHOT), {}, ValueError, "state.stones"),
    ((state_with(shot_number=16), *GOOD_SHOT), {}, ValueError, "state.shot_number"),
]


@pytest.mark.parametrize("arguments,keywords,error,name", SIMULATE_CASES)
def test_simulate_refuses(arguments, keywords, error, name):
    with pytest.raises(error, match=f"^{name}"):
        curling.simulate(*arguments, **keywords)


@pytest.mark.parametrize("call,error,name", [
    (lambda: curling.draw_shot(math.nan, 4.88, 0), ValueError, "x"),
    (lambda: curling.draw_shot(2.375, 4.88, 3), ValueError, "spin"),
    (lambda: curling.hit_shot(2.375, 4.88, 0, 0.5), ValueError, "power"),
    (lambda: curling.hit_shot(2.375, 4.88, 0, 15.5), ValueError, "power"),
    (lambda: curling.hit_shot(2.375, 4.88, 0, math.inf), ValueError, "power"),
    (lambda: curling.hit_shot(2.375, "y", 0, 5), TypeError, "y"),
    (lambda: curling.seed(-1), ValueError, "n"),
    (lambda: curling.seed(2 ** 64), ValueError, "n"),
    (lambda: curling.seed(1.5), TypeError, "n"),
    (lambda: curling.score(state_with(stone=math.nan)), ValueError, "state.stones"),
    (lambda: curling.candidates(state_with(shot_number=16)), ValueError, "state.shot_number"),
    (lambda: curling.GameState.from_line("3 1 2"), ValueError, "line"),
    (lambda: curling.GameState.from_line(3), TypeError, "line"),
])
def test_the_shot_makers_seed_score_and_lines_refuse(call, error, name):
    with pytest.raises(error, match=f"^{name}"):
        call()


@pytest.mark.parametrize("field,value,error", [
    ("shot_number", 17, ValueError), ("shot_number", -1, ValueError),
    ("shot_number", 2.0, TypeError), ("current_end", 11, ValueError),
    ("last_end", 10, ValueError), ("turn_flag", 2, ValueError),
    ("end_scores", [0] * 9, ValueError), ("end_scores", [9] + [0] * 9, ValueError),
    ("stones", np.zeros((16, 2)), TypeError), ("stones", np.zeros((8, 2), np.float32), ValueError),
    ("stones", np.full((16, 2), np.nan, np.float32), ValueError),
])
def test_state_fields_refuse(field, value, error):
    state = curling.GameState()
    with pytest.raises(error, match=f"^{field}"):
        setattr(state, field, value)
    assert state == curling.GameState()


nan_stones = batch()[0].copy()
nan_stones[2, 5, 0] = np.nan
fast = batch()[2].copy()
fast[1, 1] = 8.5
spun = batch()[2].copy()
spun[3, 2] = 0.5
shot_15 = np.full(4, 16, np.int32)


@pytest.mark.parametrize("arguments,keywords,error,name", [
    (with_batch(0, np.zeros((4, 16, 2), np.float64)), {}, TypeError, "stones: dtype float64"),
    (with_batch(0, np.zeros((4, 16, 3), np.float32)), {}, ValueError, "stones: shape"),
    (with_batch(0, [[0.0] * 2] * 16), {}, TypeError, "stones"),
    (with_batch(0, nan_stones), {}, ValueError, r"stones\[2\]: stone 5"),
    (with_batch(1, np.zeros(3, np.int32)), {}, ValueError, "shot_numbers"),
    (with_batch(1, np.zeros(4, np.float32)), {}, TypeError, "shot_numbers"),
    (with_batch(1, shot_15), {}, ValueError, r"shot_numbers\[0\]"),
    (with_batch(1, np.array([0, 0, 2 ** 63, 0], np.uint64)), {}, ValueError, r"shot_numbers\[2\]"),
    (with_batch(2, np.zeros((4, 2), np.float32)), {}, ValueError, "shots: shape"),
    (with_batch(2, np.zeros((5, 3), np.float32)), {}, ValueError, "shots: shape"),
    (with_batch(2, fast), {}, ValueError, r"shots\[1\]: release speed"),
    (with_batch(2, spun), {}, ValueError, r"shots\[3\]: spin"),
    (batch(), {"noise": -1.0}, ValueError, "noise"),
    (batch(), {"seed": -5}, ValueError, "seed"),
    (batch(), {"threads": 0}, ValueError, "threads"),
])
def test_simulate_batch_refuses(arguments, keywords, error, name):
    with pytest.raises(error, match=f"^{name}"):
        curling.simulate_batch(*arguments, **keywords)


@pytest.mark.parametrize("call,error,name", [
    (lambda: curling.Player("best"), ValueError, "name"),
    (lambda: curling.Player("strong", time_ms=10), ValueError, "time_ms"),
    (lambda: curling.Player("reference", samples=100), ValueError, "samples"),
    (lambda: curling.Player("strong", samples=0), ValueError, "samples"),
    (lambda: curling.Player("greedy", time_ms=100), ValueError, "time_ms"),
    (lambda: curling.Player("tee", seed=1), ValueError, "seed"),
    (lambda: curling.Player("random", seed="1"), TypeError, "seed"),
    (lambda: curling.Player("tee").decide(state_with(stone=math.nan)), ValueError, "state.stones"),
    (lambda: curling.Env(opponent="nobody"), ValueError, "opponent"),
    (lambda: curling.Env(ends=0), ValueError, "ends"),
    (lambda: curling.Env(ends=11), ValueError, "ends"),
    (lambda: curling.Env(noise=-0.3), ValueError, "noise"),
    (lambda: curling.Env(hammer="me"), ValueError, "hammer"),
    (lambda: curling.Env(opponent="tee").reset(seed=-1), ValueError, "seed"),
])
def test_players_and_the_environment_refuse(call, error, name):
    with pytest.raises(error, match=f"^{name}"):
        call()


@pytest.mark.parametrize("shot,error", [
    ((0.1, 2.3), ValueError), ((0.1, math.nan, 0), ValueError), ((0.1, 2.3, 2), ValueError),
    ("fast", TypeError), ((0.0, 8.1, 1), ValueError),
])
def test_a_step_refuses_a_bad_shot(shot, error):
    env = curling.Env(opponent="tee", ends=1)
    env.reset(seed=1)
    with pytest.raises(error, match="^shot"):
        env.step(shot)


def test_a_damaged_record_is_refused_with_the_replays_reason(tmp_path):
    path = tmp_path / "game-001.jsonl"
    path.write_text('{"type":"header","format":1}\n')
    with pytest.raises(ValueError, match="^path: .*line 1: header incomplete"):
        curling.read_record(str(path))
    with pytest.raises(ValueError, match="^path: cannot read"):
        curling.read_record(str(tmp_path / "missing.jsonl"))
