"""What the Python module's tests share: the build's programs and a few
positions."""
import os
import pathlib

import numpy as np
import pytest


@pytest.fixture
def programs():
    """The folder of the build's programs and the simulator library."""
    return pathlib.Path(os.environ["CURLING_BIN"])


def crowded_house(curling):
    """Twelve stones around the tee, shot 12: the golden deliveries' crowd."""
    state = curling.GameState()
    state.shot_number = 12
    stones = [(2.375, 4.88), (2.2, 5.3), (2.6, 5.1), (2.4, 4.4), (1.9, 4.9), (2.85, 4.8),
              (2.3, 6.2), (2.5, 7.4), (1.6, 5.6), (3.1, 5.5), (2.0, 4.2), (2.7, 4.1)]
    state.stones[:12] = np.array(stones, dtype=np.float32)
    return state
