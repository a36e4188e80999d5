#include "store/Abbreviations.h"
