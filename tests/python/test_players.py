"""Players through the module decide as the engine and the opponents do."""
import subprocess

import numpy as np
import pytest

import curling
from conftest import crowded_house


def mid_end():
    """Shot 5 of the third of eight ends, side B to deliver."""
    state = curling.GameState()
    state.shot_number, state.current_end, state.last_end, state.turn_flag = 5, 2, 7, 1
    state.stones[:5] = np.array([(2.3, 5.2), (2.6, 7.9), (2.5, 4.6), (0.0, 0.0), (1.9, 8.3)],
                                dtype=np.float32)
    return state


def engine_reply(program, options, state):
    """What the engine answers GO with in `state`, after NEWGAME."""
    commands = ["NEWGAME", "POSITION " + " ".join(f"{v:.9g}" for v in state.stones.ravel()),
                f"SETSTATE {state.shot_number} {state.current_end} {state.last_end} "
                f"{state.turn_flag}", "GO"]
    done = subprocess.run([program, *options], input="\n".join(commands) + "\n",
                          capture_output=True, text=True, timeout=120, check=True)
    return done.stdout.strip()


def reply_of(shot):
    return f"BESTSHOT {shot[0]:f} {shot[1]:f} {shot[2]}"


def test_a_seeded_strong_player_with_samples_decides_as_the_engine(programs):
    state = mid_end()
    player = curling.Player("strong", seed=7, samples=400)
    first = player.decide(state)
    player.new_game()
    assert player.decide(state) == first
    # A new player with the same options, and the engine with them.
    assert curling.Player("strong", seed=7, samples=400).decide(state) == first
    options = ["--search", "strong", "--seed", "7", "--samples", "400"]
    assert engine_reply(programs / "curling-engine", options, state) == reply_of(first)


def test_seeded_opponents_decide_the_same_and_the_tee_player_draws_to_the_tee():
    state = crowded_house(curling)
    for name in ("greedy", "random"):
        assert curling.Player(name, seed=3).decide(state) == curling.Player(name, seed=3).decide(state)
    assert curling.Player("tee").decide(state) == curling.draw_shot(2.375, 4.88, 0)


def test_candidates_are_the_shots_of_their_targets():
    state = crowded_house(curling)
    shots, targets = curling.candidates(state, targets=True)
    assert shots.dtype == np.float32 and shots.shape[1] == 3 and len(shots) == len(targets)
    assert len(shots) > 2
    # The list starts with the two draws to the tee.
    assert tuple(shots[0]) == curling.draw_shot(2.375, 4.88, 0)
    assert tuple(shots[1]) == curling.draw_shot(2.375, 4.88, 1)
    for shot, (x, y, spin, power) in zip(shots[::37], targets[::37]):
        made = (curling.draw_shot(x, y, int(spin)) if power == -1
                else curling.hit_shot(x, y, int(spin), power))
        assert tuple(shot) == made
    # The greedy player picks one of them.
    greedy = curling.Player("greedy", seed=1).decide(state)
    assert any(tuple(shot) == greedy for shot in shots)
