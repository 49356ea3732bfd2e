#include <dmusici.h>
