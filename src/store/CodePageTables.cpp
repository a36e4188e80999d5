#include "store/CodePage.h"
