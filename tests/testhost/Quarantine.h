// Objects whose memory outlives their deletion: deleting one fills its block with zeros and keeps
// the block, so a test can tell whether the object was written after it was deleted (the count of
// bytes that are no longer zero), and any virtual call through it fails at once (no table).
#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

template <class T>
class CQuarantined : public T
{
public:
    using T::T;

    static void* operator new(size_t nSize)
    {
        void* p = std::malloc(nSize);
        if (p == nullptr)
            throw std::bad_alloc();
        Blocks().push_back({ p, nSize, false });
        return p;
    }
    static void operator delete(void* p, size_t nSize)
    {
        std::memset(p, 0, nSize);
        for (sBlock& block : Blocks())
            if (block.p == p)
                block.bDeleted = true;
    }

    // Bytes of deleted objects written since they were deleted.
    static size_t WrittenAfterDelete()
    {
        size_t n = 0;
        for (const sBlock& block : Blocks())
            for (size_t i = 0; block.bDeleted && i < block.nSize; ++i)
                n += static_cast<const unsigned char*>(block.p)[i] != 0;
        return n;
    }
    // Gives the deleted blocks back to the heap.
    static void Release()
    {
        std::vector<sBlock>& blocks = Blocks();
        for (size_t i = blocks.size(); i-- > 0;)
        {
            if (blocks[i].bDeleted)
            {
                std::free(blocks[i].p);
                blocks.erase(blocks.begin() + (std::ptrdiff_t)i);
            }
        }
    }

private:
    struct sBlock
    {
        void* p;
        size_t nSize;
        bool bDeleted;
    };
    static std::vector<sBlock>& Blocks()
    {
        static std::vector<sBlock> blocks;
        return blocks;
    }
};
