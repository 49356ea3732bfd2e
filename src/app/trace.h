// The game's record of each pass for the trace file of scripted runs.
#pragma once

// Called by the main loop after each pass's frame; does nothing unless a trace is kept.
void WritePassTrace();
