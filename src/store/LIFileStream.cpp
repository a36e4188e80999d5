#include "store/LIFileStream.h"
