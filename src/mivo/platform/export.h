#pragma once
// Symbol visibility of the library. Mivo is compiled with hidden visibility, so
// a shared build exports only what its public headers declare: each public
// header wraps its declarations in MIVO_PUBLIC_BEGIN / MIVO_PUBLIC_END, which
// give them default visibility (classes with their vtables and type info,
// functions, variables). Helpers in .cpp files and *_internal.h headers stay
// hidden. A static build is unaffected.

#if defined(__GNUC__) || defined(__clang__)
#define MIVO_PUBLIC_BEGIN _Pragma("GCC visibility push(default)")
#define MIVO_PUBLIC_END _Pragma("GCC visibility pop")
#else
#define MIVO_PUBLIC_BEGIN
#define MIVO_PUBLIC_END
#endif
