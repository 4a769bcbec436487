#pragma once

/// Q ends the game: on the title screen, on the walk and in a battle alike. When the key is Q,
/// ends the game after this step and returns true.
bool quitOnQ(int key);
