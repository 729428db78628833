"""The physics through the module: the golden deliveries give the native
library's digests, and the state and the single delivery behave as the
library's interface does."""
import struct
import subprocess

import numpy as np
import pytest

import curling
from conftest import crowded_house

F = np.float32


class MersenneTwister:
    """std::mt19937 with its default seeding, for the golden random ends."""

    def __init__(self, seed):
        self.state = [seed & 0xFFFFFFFF]
        for i in range(1, 624):
            previous = self.state[-1]
            self.state.append((1812433253 * (previous ^ (previous >> 30)) + i) & 0xFFFFFFFF)
        self.index = 624

    def __call__(self):
        if self.index == 624:
            s = self.state
            for i in range(624):
                y = (s[i] & 0x80000000) | (s[(i + 1) % 624] & 0x7FFFFFFF)
                s[i] = s[(i + 397) % 624] ^ (y >> 1) ^ (0x9908B0DF if y & 1 else 0)
            self.index = 0
        y = self.state[self.index]
        self.index += 1
        y ^= y >> 11
        y ^= (y << 7) & 0x9D2C5680
        y ^= (y << 15) & 0xEFC60000
        return y ^ (y >> 18)


class Digest:
    """FNV-1a over the library's record of each state, padding included."""

    def __init__(self):
        self.value = 14695981039346656037

    def add(self, state):
        scores = [int(v) for v in state.end_scores]
        data = struct.pack("<3i10iB3x32f", state.shot_number, state.current_end, state.last_end,
                           *scores, state.turn_flag, *state.stones.ravel().tolist())
        for byte in data:
            self.value = ((self.value ^ byte) * 1099511628211) & 0xFFFFFFFFFFFFFFFF

    def text(self):
        return f"{self.value:016x}"


def deliver(state, shot, noise):
    """The state after the shot, and the position as the shot left it."""
    new, after, _ = curling.simulate(state, *shot, noise=noise, report=True)
    return new, after


def empty_end(shot_number):
    state = curling.GameState()
    state.shot_number = shot_number
    return state


def draws_build_a_whole_end():
    digest, state = Digest(), empty_end(0)
    for shot in range(16):
        x = F(1.6) + F(0.1) * F(shot)
        y = F(4.2) + F(0.15) * F(shot % 7)
        state, after = deliver(state, curling.draw_shot(x, y, shot % 2), 0.0)
        digest.add(after)
    return digest.text()


def hits_into_a_crowded_house():
    digest = Digest()
    for x, y in [(2.2, 5.3), (2.375, 4.88), (3.1, 5.5), (2.5, 7.4)]:
        for power in range(1, 16, 2):
            for spin in (0, 1):
                shot = curling.hit_shot(F(x), F(y), spin, power)
                digest.add(deliver(crowded_house(curling), shot, 0.0)[1])
    return digest.text()


def noisy_shots_from_a_fixed_seed():
    digest = Digest()
    curling.seed(20240612)
    state = crowded_house(curling)
    for shot in [curling.draw_shot(F(2.375), F(5.2), 1), curling.hit_shot(F(2.6), F(5.1), 0, 12),
                 curling.hit_shot(F(2.375), F(4.88), 1, 15), curling.draw_shot(F(2.3), F(4.9), 0)]:
        state, after = deliver(state, shot, 0.3)
        digest.add(after)
    for shot in range(16):
        x = F(2.0) + F(0.05) * F(shot)
        if shot % 3 == 2:
            delivery = curling.hit_shot(x, F(4.9), shot % 2, 13)
        else:
            delivery = curling.draw_shot(x, F(5.0) + F(0.1) * F(shot % 4), shot % 2)
        state, after = deliver(state, delivery, 0.3)
        digest.add(after)
    return digest.text()


def whole_ends_of_random_shots():
    digest = Digest()
    curling.seed(97)
    random = MersenneTwister(4242)
    for _ in range(150):
        state = empty_end(0)
        for shot in range(16):
            spin = random() % 2
            in_play = [i for i in range(shot) if tuple(state.stones[i]) != (0.0, 0.0)]
            if in_play and random() % 3 != 0:
                x, y = state.stones[in_play[random() % len(in_play)]]
                delivery = curling.hit_shot(x, y, spin, 1 + random() % 15)
            else:
                x = F(1.3) + F(2.2) * (F(random() % 10000) / F(10000))
                y = F(3.4) + F(4.0) * (F(random() % 10000) / F(10000))
                delivery = curling.draw_shot(x, y, spin)
            state = curling.simulate(state, *delivery, noise=0.3)
            digest.add(state)
    return digest.text()


def test_the_golden_deliveries_give_the_native_digests(programs):
    native = subprocess.run([programs / "physics-digest"], capture_output=True, text=True,
                            check=True).stdout.split()
    expected = dict(zip(native[::2], native[1::2]))
    assert len(expected) == 4
    assert draws_build_a_whole_end() == expected["DrawsWithoutErrorBuildAWholeEnd"]
    assert hits_into_a_crowded_house() == expected["HitsOfEveryPowerIntoACrowdedHouse"]
    assert noisy_shots_from_a_fixed_seed() == expected["NoisyShotsFromAFixedSeed"]
    assert whole_ends_of_random_shots() == expected["WholeEndsOfRandomShots"]


def test_the_state_is_the_librarys_record():
    state = curling.GameState()
    assert (state.shot_number, state.current_end, state.last_end, state.turn_flag) == (0, 0, 0, 0)
    assert state.stones.shape == (16, 2) and state.stones.dtype == np.float32
    assert not state.stones.any() and not state.end_scores.any()
    # The arrays are views: writing them writes the state.
    state.stones[3] = (2.0, 5.0)
    state.end_scores[1] = -2
    copy = state.copy()
    assert copy == state
    assert tuple(copy.stones[3]) == (2.0, 5.0) and copy.end_scores[1] == -2
    copy.stones[3, 0] = 1.0
    assert copy != state


def test_position_lines_read_and_write_as_the_tools_do():
    line = "3 2.375 4.88 0 0 1.25 6.5" + " 0 0" * 13
    state = curling.GameState.from_line(line)
    assert state.shot_number == 3
    assert tuple(state.stones[0]) == (F(2.375), F(4.88))
    assert tuple(state.stones[2]) == (1.25, 6.5)
    assert curling.GameState.from_line(state.to_line()) == state
    assert curling.GameState(str(state)) == state
    assert str(state) == state.to_line()
    assert state != line


def test_a_delivery_leaves_its_argument_alone_and_replays_from_a_seed():
    state = crowded_house(curling)
    before = state.copy()
    shot = curling.draw_shot(2.375, 4.88, 0)
    curling.seed(11)
    first = curling.simulate(state, *shot, noise=0.3)
    assert state == before
    assert first.shot_number == 13 and first.turn_flag == 1
    curling.seed(11)
    assert curling.simulate(state, *shot, noise=0.3) == first
    assert curling.simulate(state, *shot, noise=0.3) != first


def test_a_draw_without_noise_rests_at_its_target_and_scores():
    state = curling.simulate(curling.GameState(), *curling.draw_shot(2.375, 4.88, 1))
    assert np.allclose(state.stones[0], (2.375, 4.88), atol=0.01)
    # Side A's stone on the tee: one point for side A.
    assert curling.score(state) == 1


def test_the_last_stone_closes_the_end():
    state = curling.GameState()
    state.shot_number = 15
    state.stones[0] = (2.375, 4.9)
    new, after, executed = curling.simulate(state, *curling.draw_shot(2.375, 9.0, 0), report=True)
    assert new.shot_number == 0 and new.current_end == 1 and not new.stones.any()
    assert after.shot_number == 16 and tuple(after.stones[0]) == (F(2.375), F(4.9))
    assert new.end_scores[0] == curling.score(after) != 0
    assert len(executed) == 2
