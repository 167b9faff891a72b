// The stand-ins replace pieces of one C++ library release and lean on its
// exception model; they were checked against GCC 12's libstdc++ and the
// POSIX-threads library that comes with it, unwinding with DWARF-2 tables.
// The build compiles this header first and, where it fails, links the program
// on the standard runtime instead.
#pragma once
#include <version>

#if !defined(__GNUC__) || __GNUC__ != 12 || !defined(_GLIBCXX_RELEASE) || _GLIBCXX_RELEASE != 12
#error "the runtime stand-ins were checked against GCC 12's libstdc++ only"
#endif

// SJLJ and SEH unwinding call other entry points under other locks.
#if defined(__USING_SJLJ_EXCEPTIONS__) || defined(__SEH__) || !defined(__i386__)
#error "the runtime stand-ins were checked with DWARF-2 unwinding on i686 only"
#endif
