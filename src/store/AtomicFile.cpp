#include "store/AtomicFile.h"
