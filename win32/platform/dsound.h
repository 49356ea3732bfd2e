#include <dsound.h>
