// Tells a caller whether the object it called out from (a notification, a host callback, a modal
// loop) was deleted during the call. The object holds a `bool* m_pbAlive` (null when nobody
// watches) and clears the flag it points to in its destructor; each call out opens a scope, nested
// scopes chain, and a deletion seen by an inner scope is passed to the outer ones.
#pragma once

class CAliveScope
{
public:
    // The object points at this scope's flag only while the scope lasts: the destructor gives it
    // back the outer one unless the object is gone. GCC cannot see that and warns in callers.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
    explicit CAliveScope(bool*& rpbAlive) : m_rpbAlive(rpbAlive), m_pbOuter(rpbAlive) { rpbAlive = &m_bAlive; }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    ~CAliveScope()
    {
        if (m_bAlive)
            m_rpbAlive = m_pbOuter;   // the object still exists: give it back the outer flag
        else if (m_pbOuter != nullptr)
            *m_pbOuter = false;
    }
    CAliveScope(const CAliveScope&) = delete;
    CAliveScope& operator=(const CAliveScope&) = delete;

    bool Alive() const { return m_bAlive; }

    // For the object's destructor.
    static void Deleted(bool* pbAlive)
    {
        if (pbAlive != nullptr)
            *pbAlive = false;
    }

private:
    bool*& m_rpbAlive;
    bool* m_pbOuter;
    bool m_bAlive = true;
};
