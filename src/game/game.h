// The game's entry, called once the engine is ready.
#pragma once

void GameMain();
