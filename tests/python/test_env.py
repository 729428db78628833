"""A whole game in the environment against the greedy opponent: the result it
reports is the game's, and its record replays in curling-match."""
import subprocess

import numpy as np
import pytest

import curling


def play(env, agent, seed):
    """Plays a game to its end; returns the steps' results."""
    observation, info = env.reset(seed=seed)
    steps = []
    terminated = False
    while not terminated:
        assert observation.shot_number < 16
        observation, reward, terminated, truncated, info = env.step(agent.decide(observation))
        assert not truncated
        steps.append((reward, terminated, info))
    return steps


@pytest.mark.parametrize("hammer", ["agent", "opponent"])
def test_a_game_against_greedy_ends_with_its_result_and_its_record_replays(
        hammer, programs, tmp_path):
    env = curling.Env(opponent="greedy", ends=2, noise=0.3, hammer=hammer)
    steps = play(env, curling.Player("random", seed=4), seed=21)
    rewards = [reward for reward, _, _ in steps]
    assert all(reward == 0 for reward in rewards[:-1])
    # Eight stones an end for the agent (more after a tie: an extra end).
    info = steps[-1][2]
    assert len(steps) == 8 * info["ends_played"] and info["ends_played"] >= 2
    agent_points, opponent_points = info["score"]
    assert rewards[-1] == np.sign(agent_points - opponent_points)
    with pytest.raises(ValueError, match="the game is over"):
        env.step((0.0, 2.0, 0))

    path = tmp_path / "game-001.jsonl"
    env.write_record(str(path))
    replay = subprocess.run([programs / "curling-match", "--replay", str(path)],
                            capture_output=True, text=True)
    assert replay.returncode == 0, replay.stdout + replay.stderr

    # The record read back: the same points, ends and deliveries, the agent
    # as player 0 with its stones in the right slots.
    record = curling.read_record(str(path))
    assert record["points"] == (agent_points, opponent_points)
    assert record["players"] == ("agent", "greedy")
    assert len(record["ends"]) == info["ends_played"]
    assert len(record["deliveries"]) == 16 * info["ends_played"]
    assert record["winner"] == (None if agent_points == opponent_points
                                else 0 if agent_points > opponent_points else 1)
    first_to_deliver = 1 if hammer == "agent" else 0
    assert record["deliveries"][0]["player"] == first_to_deliver
    assert record["deliveries"][0]["reply"].startswith("BESTSHOT ")
    assert sum(end["points"][0] for end in record["ends"]) == agent_points


def test_a_seed_replays_the_game_and_the_observation_is_the_agents_view():
    env = curling.Env(opponent="greedy", ends=1, noise=0.3)
    first, info = env.reset(seed=5)
    # The opponent has the hammer, so the agent delivers first.
    assert first.shot_number == 0 and info["opponent_shots"] == []
    again = play(env, curling.Player("greedy", seed=9), seed=5)
    twice = play(env, curling.Player("greedy", seed=9), seed=5)
    assert [i["score"] for _, _, i in again] == [i["score"] for _, _, i in twice]

    env = curling.Env(opponent="tee", ends=1, noise=0.0, hammer="agent")
    view, info = env.reset(seed=1)
    # The opponent's first stone came to rest on the tee.
    assert view.shot_number == 1 and view.turn_flag == 1 and view.last_end == 0
    assert np.allclose(view.stones[0], (2.375, 4.88), atol=0.01)
    assert len(info["opponent_shots"]) == 1


def test_an_illegal_shot_is_refused_and_nothing_is_played():
    env = curling.Env(opponent="tee", ends=1)
    with pytest.raises(ValueError, match="reset"):
        env.step((0.0, 2.0, 0))
    view, _ = env.reset(seed=3)
    with pytest.raises(ValueError, match="shot: release speed"):
        env.step((0.0, 9.0, 0))
    with pytest.raises(ValueError, match="not over"):
        env.write_record("/tmp/never-written.jsonl")
    after, *_ = env.step(curling.draw_shot(2.375, 4.88, 0))
    assert after.shot_number == view.shot_number + 2
