// The full-screen pages behind the menu entries: start, help and about.
#pragma once

#include "kit/canvas.h"

Canvas MakeStartPage();  // option1: never shown by the game, a "get ready" picture
Canvas MakeHelpPage();   // option2: the keys of the menu and of every level
Canvas MakeAboutPage();  // option3: name, blurb, version and a picture
