#include "store/FileCheck.h"
