// The game's one window onto the test tools: after each pass the game may describe its
// state, and the host writes it to the trace file when one was asked for.
#pragma once

#include <string>

// True when the host keeps a trace, so the game builds its record only then.
bool TraceEnabled();
// Hands the host the fields of this pass's record: a JSON object's members without the
// braces (the host adds the pass number and the braces).
void WriteTraceRecord(const std::string& fields);
