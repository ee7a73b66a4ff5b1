// Force-included into the shipped programs' sources: std::string's members
// are compiled into the program (and dropped where unused) instead of coming
// from libstdc++'s prebuilt instantiations, which were built with exceptions
// and would drag in the unwinder and the exception classes.
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
