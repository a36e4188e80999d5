#include "store/BibleSet.h"
