// Must not compile with the store's include path: the store sits below the
// module compiler and cannot see it.
#include "modules/ModuleCompiler.h"
