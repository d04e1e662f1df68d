// Where a font finds the pictures of its layers by default: the application's shared images.
// SPDX-License-Identifier: MIT
#include "framework/fonts/layer_image_loader.h"

#include "framework/images/image_access.h"

#include <atomic>

namespace Lumo
{

namespace
{

std::atomic<SharedImageTable*> installedTable{nullptr};

SharedImageTable& FontsOwnTable()
{
    static SharedImageTable table(nullptr);
    return table;
}

} // namespace

void SetFontImageTable(SharedImageTable* table)
{
    installedTable.store(table);
}

std::shared_ptr<Image> LoadSharedLayerImage(const std::string& path)
{
    SharedImageTable* table = installedTable.load();
    if (table == nullptr)
    {
        table = &FontsOwnTable();
    }
    bool isNew = false;
    auto reference = std::make_shared<SharedImageRef>(table->GetSharedImage(path, "", &isNew));
    DDImage* image = reference->Get();
    if (image == nullptr)
    {
        return nullptr;
    }
    if (isNew)
    {
        image->Palettize();
    }
    // The shared_ptr owns the table reference and points at its image.
    return std::shared_ptr<Image>(reference, image);
}

} // namespace Lumo
