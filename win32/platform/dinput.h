#define DIRECTINPUT_VERSION 0x0800
#include <dinput.h>
