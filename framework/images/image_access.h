// Pictures for the application: GetImage loads one into a display image, and a table shares one
// image between every user of the same path and variant.
// SPDX-License-Identifier: MIT
//
// Rules of the module:
// - GetImage goes through LoadImageFile with alpha lookup; the new image belongs to the caller.
// - Shared images are keyed by path and variant, both compared without regard to case, and
//   counted by SharedImageRef handles. An entry whose count has dropped to zero is deleted, with
//   its image, by the next PurgeUnused (the application's update step), so a picture released and
//   asked for again within one step is not loaded twice.
// - A path beginning with "!" names an empty image that the caller fills; a path that does not
//   load leaves an entry without image (the handle's Get() is null).
// - The table may be used from any thread; it must outlive every handle it gave out. One image is
//   drawn by one thread at a time (the game lock).
#pragma once

#include "framework/graphics/dd_image.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

namespace Lumo
{

// The picture at path as a new display image of the given display, or null when it does not load.
[[nodiscard]] std::unique_ptr<DDImage> GetImage(DDInterface* display, const std::string& path,
                                                bool commitBits = true);

class SharedImageTable;

struct SharedImage
{
    std::unique_ptr<DDImage> image;
    int refCount = 0;
};

// A counted reference to a shared image; copying counts, destruction releases.
class SharedImageRef
{
  public:
    SharedImageRef() = default;
    SharedImageRef(const SharedImageRef& other);
    SharedImageRef(SharedImageRef&& other) noexcept;
    SharedImageRef& operator=(SharedImageRef other) noexcept;
    ~SharedImageRef();

    // The image, or null for a picture that did not load or an empty handle.
    [[nodiscard]] DDImage* Get() const { return entry_ != nullptr ? entry_->image.get() : nullptr; }
    DDImage* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }
    // Gives the reference back early; the handle is empty afterwards.
    void Release();

  private:
    friend class SharedImageTable;
    SharedImageRef(SharedImageTable* table, SharedImage* entry) : table_(table), entry_(entry) {}

    SharedImageTable* table_ = nullptr;
    SharedImage* entry_ = nullptr;
};

class SharedImageTable
{
  public:
    explicit SharedImageTable(DDInterface* display) : display_(display) {}
    SharedImageTable(const SharedImageTable&) = delete;
    SharedImageTable& operator=(const SharedImageTable&) = delete;

    // The shared image for path and variant; isNew (when given) tells whether this call made it.
    [[nodiscard]] SharedImageRef GetSharedImage(const std::string& path, const std::string& variant,
                                                bool* isNew = nullptr);
    // Deletes the entries nobody holds any more.
    void PurgeUnused();
    [[nodiscard]] size_t EntryCount() const;

  private:
    friend class SharedImageRef;
    void AddRef(SharedImage* entry);
    void ReleaseRef(SharedImage* entry);

    DDInterface* display_;
    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::string>, std::unique_ptr<SharedImage>> entries_;
};

} // namespace Lumo
