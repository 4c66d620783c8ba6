// CObject and run-time class information: the root of the framework's class tree, with the
// DECLARE_/IMPLEMENT_DYNAMIC and DYNCREATE macros that let code ask an object what it is
// (IsKindOf) and create a class from its CRuntimeClass.
#pragma once

#include "afxdefs.h"

class CObject;

// Opaque iterator of the collection classes.
typedef struct __POSITION {}* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

struct AFX_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or NULL when the class is not DYNCREATE.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class AFX_API CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;

private:
    // As in MFC, objects of the framework are not copied implicitly.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

// GetRuntimeClass is declared without 'override' (classes in the MFC manner often use none);
// clang would flag it in a class whose other overrides say 'override'.
#ifdef __clang__
#  define AFX_OVERRIDE_WARNING_OFF \
    _Pragma("clang diagnostic push") _Pragma("clang diagnostic ignored \"-Winconsistent-missing-override\"")
#  define AFX_OVERRIDE_WARNING_ON _Pragma("clang diagnostic pop")
#else
#  define AFX_OVERRIDE_WARNING_OFF
#  define AFX_OVERRIDE_WARNING_ON
#endif

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    AFX_OVERRIDE_WARNING_OFF \
    virtual CRuntimeClass* GetRuntimeClass() const; \
    AFX_OVERRIDE_WARNING_ON

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class class_name)), wSchema, pfnNew, \
        RUNTIME_CLASS(base_class_name) }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

// Checked downcasts: NULL (DYNAMIC_DOWNCAST) when the object is not of that class.
AFX_API CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
