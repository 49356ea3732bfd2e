// The game's four pieces of music; each writes one General MIDI file and returns false when the
// file cannot be written. A mistake in a tune's text throws TuneError (kit/tune_kit.h).
#pragma once

#include <string>

bool WriteMenuTune(const std::string& path);    // title screen: F major, 116 bpm, about 54 s
bool WriteStreetTune(const std::string& path);  // the board ride: D major, 168 bpm, about 51 s
bool WriteGirderTune(const std::string& path);  // girders and ladders: G major, swung, 132 bpm, about 47 s
bool WriteRoomsTune(const std::string& path);   // the quiet rooms: F major, 84 bpm, about 51 s
