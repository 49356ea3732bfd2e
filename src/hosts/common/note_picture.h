// The volume note as a picture: white capitals on a dark, half-see-through box, with a bar
// of ten steps under them when the note has a level. Hosts lay it over the picture they
// show; it never enters the game's frames.
#pragma once

#include "hosts/common/controls.h"
#include "hosts/host.h"

namespace host {

// The note in the game's pixels (640 x 480 picture units), hot point unused.
Picture DrawVolumeNote(const VolumeNote& note);

}  // namespace host
