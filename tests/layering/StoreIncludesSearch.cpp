// Must not compile with the store's include path: the store sits below the
// search and cannot see it.
#include "search/SearchContext.h"
