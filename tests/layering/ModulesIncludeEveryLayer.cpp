// Compiles with the module compiler's include path: each layer sees the ones
// below it. Keeps the failing probes honest (they fail for the include alone).
#include "modules/ModuleCompiler.h"
#include "search/SearchContext.h"
#include "store/Bible.h"
