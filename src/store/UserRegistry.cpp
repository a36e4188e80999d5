#include "store/UserRegistry.h"
