#include "store/StandardStructure.h"
