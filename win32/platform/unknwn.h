#include <unknwn.h>
