#include <ddraw.h>
