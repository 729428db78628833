"""simulate_batch gives what the same deliveries give one by one, on one
thread or two."""
import numpy as np
import pytest

import curling
from conftest import crowded_house


def mixed_batch(count):
    """Draws and hits at every shot number, on empty and crowded sheets."""
    rng = np.random.default_rng(5)
    stones = np.zeros((count, 16, 2), dtype=np.float32)
    shot_numbers = np.zeros(count, dtype=np.int32)
    shots = np.zeros((count, 3), dtype=np.float32)
    crowd = crowded_house(curling).stones[:12]
    for i in range(count):
        shot_number = i % 16
        shot_numbers[i] = shot_number
        take = min(shot_number, 12)
        stones[i, :take] = crowd[:take]
        spin = int(rng.integers(2))
        if take and i % 3 == 0:
            x, y = crowd[int(rng.integers(take))]
            shots[i] = curling.hit_shot(x, y, spin, float(rng.integers(1, 16)))
        else:
            shots[i] = curling.draw_shot(float(rng.uniform(1.4, 3.4)), float(rng.uniform(3.5, 7.5)),
                                         spin)
    return stones, shot_numbers, shots


def one_by_one(stones, shot_numbers, shots, noise, seed):
    after = np.zeros_like(stones)
    scores = np.zeros(len(shots), dtype=np.int32)
    for i, shot in enumerate(shots):
        state = curling.GameState()
        state.shot_number = int(shot_numbers[i])
        state.stones = stones[i]
        if i % curling.SEED_BLOCK == 0:
            curling.seed(seed + i // curling.SEED_BLOCK)
        _, left, _ = curling.simulate(state, float(shot[0]), float(shot[1]), int(shot[2]),
                                      noise=noise, report=True)
        after[i] = left.stones
        scores[i] = curling.score(left)
    return after, scores


@pytest.mark.parametrize("noise", [0.0, 0.3])
def test_a_batch_is_the_deliveries_one_by_one_on_one_thread_or_two(noise):
    # Three blocks of seeds, the last one short.
    count = 2 * curling.SEED_BLOCK + 176
    batch = mixed_batch(count)
    expected_stones, expected_scores = one_by_one(*batch, noise=noise, seed=77)
    for threads in (1, 2):
        stones, scores = curling.simulate_batch(*batch, noise=noise, seed=77, threads=threads)
        assert stones.dtype == np.float32 and stones.shape == (count, 16, 2)
        assert scores.dtype == np.int32 and scores.shape == (count,)
        assert np.array_equal(stones, expected_stones), f"{threads} threads"
        assert np.array_equal(scores, expected_scores), f"{threads} threads"


def test_the_seed_moves_the_noisy_results_and_the_inputs_stay():
    stones, shot_numbers, shots = mixed_batch(64)
    kept = stones.copy()
    first, _ = curling.simulate_batch(stones, shot_numbers, shots, noise=0.3, seed=1)
    second, _ = curling.simulate_batch(stones, shot_numbers, shots, noise=0.3, seed=2)
    assert not np.array_equal(first, second)
    assert np.array_equal(stones, kept)


def test_arrays_in_any_layout_and_an_empty_batch():
    stones, shot_numbers, shots = mixed_batch(32)
    expected, _ = curling.simulate_batch(stones, shot_numbers, shots)
    # Every other item of a batch twice as long, the shots in Fortran order.
    wide = np.repeat(stones, 2, axis=0)[::2]
    fortran = np.asfortranarray(shots)
    got, _ = curling.simulate_batch(wide, shot_numbers.astype(np.int64), fortran)
    assert np.array_equal(got, expected)
    empty, scores = curling.simulate_batch(np.zeros((0, 16, 2), np.float32),
                                           np.zeros(0, np.int32), np.zeros((0, 3), np.float32))
    assert empty.shape == (0, 16, 2) and scores.shape == (0,)
