#include <mmsystem.h>
