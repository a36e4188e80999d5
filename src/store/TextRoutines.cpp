#include "store/TextRoutines.h"
