#include "store/RFileStream.h"
