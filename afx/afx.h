// The window-free part of the framework: strings, CObject and run-time classes, collections,
// geometry and time. afxwin.h builds the windowed part on top of this.
#pragma once

#include "afxdefs.h"
#include "afxstr.h"
#include "afxobj.h"
#include "afxtempl.h"
#include "afxcoll.h"
#include "afxgeom.h"
#include "afxtime.h"
