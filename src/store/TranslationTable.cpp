#include "store/TranslationTable.h"
