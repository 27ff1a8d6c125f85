// The generator is defined inline in rng.h: the challenge tower draws from
// it over a million times per report.
#include "rng.h"
