// Reference count shared by the small handles of the libraries (fonts, sounds, cursors, tooltips).
// SPDX-License-Identifier: MIT
//
// A RefObj starts with one reference, held by whoever created it. AddRef adds
// one; Release drops one and deletes the object when none is left. The count
// is atomic so that a handle may be given back from the clock thread.
#pragma once

#include <atomic>
#include <cassert>

namespace CommonLibrary
{

class RefObj
{
public:
    RefObj() = default;
    RefObj(const RefObj&) = delete;
    RefObj& operator=(const RefObj&) = delete;

    // Returns the count after the increment.
    int AddRef() { return refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

    // Returns the count after the decrement; at 0 the object has been deleted
    // and must not be touched again.
    int Release()
    {
        const int left = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
        assert(left >= 0 && "RefObj released more often than referenced");
        if (left == 0)
        {
            delete this;
        }
        return left;
    }

    int GetRefCount() const { return refCount.load(std::memory_order_relaxed); }

protected:
    virtual ~RefObj() = default;

private:
    std::atomic<int> refCount{1};
};

} // namespace CommonLibrary
