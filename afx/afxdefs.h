// Base definitions shared by every framework header: the export macro of the framework DLL and,
// for the window-free units built natively on Linux, the handful of Windows scalar types they use.
#pragma once

#ifdef _WIN32
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#  include <tchar.h>
#  ifdef AFX_BUILD_DLL
#    define AFX_API __declspec(dllexport)
#  else
#    define AFX_API __declspec(dllimport)
#  endif
#else
// Native (non-Windows) build of the window-free units: the same spellings, no windows.h.
#  include <cstdint>
#  include <cstddef>
#  define AFX_API
typedef int BOOL;
typedef char TCHAR;
typedef char CHAR;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;
typedef uint32_t COLORREF;
typedef char* LPSTR;
typedef char* LPTSTR;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef void* LPVOID;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef struct tagPOINT { LONG x; LONG y; } POINT, *PPOINT, *LPPOINT;
typedef struct tagSIZE { LONG cx; LONG cy; } SIZE, *PSIZE, *LPSIZE;
typedef struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; } RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;
#  ifndef TRUE
#    define TRUE 1
#    define FALSE 0
#  endif
#  ifndef _T
#    define _T(x) x
#  endif
#endif

#include <cassert>

#ifndef ASSERT
#  ifdef NDEBUG
#    define ASSERT(f) ((void)0)
#  else
#    define ASSERT(f) assert(f)
#  endif
#endif
#ifndef VERIFY
#  ifdef NDEBUG
#    define VERIFY(f) ((void)(f))
#  else
#    define VERIFY(f) assert(f)
#  endif
#endif

// Controls.dll and OrvoTools.dll use the same pattern with their own macros.
#ifdef _WIN32
#  ifdef CONTROLS_BUILD_DLL
#    define CONTROLS_API __declspec(dllexport)
#  else
#    define CONTROLS_API __declspec(dllimport)
#  endif
#else
#  define CONTROLS_API
#endif

// The classic GetSafeHwnd/GetSafeHdc idiom is called through pointers that may be null. The empty
// asm hides from the optimiser that `this` is known non-null, so the test is kept.
template <class T>
inline const T* AfxNullableThis(const T* p)
{
    asm("" : "+r"(p));
    return p;
}
