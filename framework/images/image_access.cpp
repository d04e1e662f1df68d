// Pictures for the application: GetImage and the shared image table.
// SPDX-License-Identifier: MIT
#include "framework/images/image_access.h"

#include "framework/images/image_loader.h"

#include <cctype>

namespace Lumo
{

namespace
{

std::string UpperCase(std::string text)
{
    for (char& c : text)
    {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::unique_ptr<DDImage> GetImage(DDInterface* display, const std::string& path, bool commitBits)
{
    const ImageLib::ImagePtr loaded = ImageLib::LoadImageFile(path, true);
    if (loaded == nullptr)
    {
        return nullptr;
    }
    auto image = std::make_unique<DDImage>(display);
    image->filePath = path;
    image->SetBits(loaded->bits.data(), loaded->width, loaded->height, commitBits);
    return image;
}

SharedImageRef::SharedImageRef(const SharedImageRef& other)
    : table_(other.table_), entry_(other.entry_)
{
    if (entry_ != nullptr)
    {
        table_->AddRef(entry_);
    }
}

SharedImageRef::SharedImageRef(SharedImageRef&& other) noexcept
    : table_(std::exchange(other.table_, nullptr)), entry_(std::exchange(other.entry_, nullptr))
{
}

SharedImageRef& SharedImageRef::operator=(SharedImageRef other) noexcept
{
    std::swap(table_, other.table_);
    std::swap(entry_, other.entry_);
    return *this;
}

SharedImageRef::~SharedImageRef()
{
    Release();
}

void SharedImageRef::Release()
{
    if (entry_ != nullptr)
    {
        table_->ReleaseRef(entry_);
    }
    table_ = nullptr;
    entry_ = nullptr;
}

SharedImageRef SharedImageTable::GetSharedImage(const std::string& path, const std::string& variant,
                                                bool* isNew)
{
    std::scoped_lock lock(mutex_);
    auto& slot = entries_[{UpperCase(path), UpperCase(variant)}];
    const bool created = slot == nullptr;
    if (created)
    {
        slot = std::make_unique<SharedImage>();
        if (!path.empty() && path.front() == '!')
        {
            slot->image = std::make_unique<DDImage>(display_);
            slot->image->filePath = path;
        }
        else
        {
            slot->image = GetImage(display_, path, false);
        }
    }
    if (isNew != nullptr)
    {
        *isNew = created;
    }
    ++slot->refCount;
    return SharedImageRef(this, slot.get());
}

void SharedImageTable::PurgeUnused()
{
    std::scoped_lock lock(mutex_);
    std::erase_if(entries_, [](const auto& item) { return item.second->refCount <= 0; });
}

size_t SharedImageTable::EntryCount() const
{
    std::scoped_lock lock(mutex_);
    return entries_.size();
}

void SharedImageTable::AddRef(SharedImage* entry)
{
    std::scoped_lock lock(mutex_);
    ++entry->refCount;
}

void SharedImageTable::ReleaseRef(SharedImage* entry)
{
    std::scoped_lock lock(mutex_);
    --entry->refCount;
}

} // namespace Lumo
