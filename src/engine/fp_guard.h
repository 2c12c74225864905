#pragma once
// The engine must give the same digits in every build: the native one, the
// MinGW one and under Wine. Fast-math reorders and contracts arithmetic and
// would move timings by a minute here and there.
#ifdef __FAST_MATH__
#error "Korvana's engine must not be built with -ffast-math"
#endif
