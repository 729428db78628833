"""Computer curling from Python: the physics library, the candidate shots, the
players and the game records of this project, and a game environment for
learning agents. See docs/python.md."""

from ._curling import (SEED_BLOCK, Env, GameState, Player, candidates, draw_shot, hit_shot,
                       read_record, score, seed, simulate, simulate_batch)

__all__ = ["SEED_BLOCK", "Env", "GameState", "Player", "candidates", "draw_shot", "hit_shot",
           "read_record", "score", "seed", "simulate", "simulate_batch"]
