#include "store/IniFile.h"
