#pragma once

// Records a crowded game and prints how fast its replay is checked:
// replay-check frames=… reached=yes frames_per_s=… realtime_x=… bytes=…
void PrintReplayCheck();
