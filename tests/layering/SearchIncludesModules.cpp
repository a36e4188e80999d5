// Must not compile with the search's include path: the search sits below
// the module compiler and cannot see it.
#include "modules/ModuleCompiler.h"
