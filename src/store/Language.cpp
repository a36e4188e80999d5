#include "store/Language.h"
