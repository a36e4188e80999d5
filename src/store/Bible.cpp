#include "store/Bible.h"
