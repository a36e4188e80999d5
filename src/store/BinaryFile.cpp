#include "store/BinaryFile.h"
